// The Direct3D object: one adapter, the display the window stand-in reports, and the device
// it creates.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_DIRECT3D8_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_DIRECT3D8_H

#include <d3d8.h>

#include "platform/d3d8/objects/com_object.h"

namespace d3d8sw {

class Direct3D8 final : public ComObject<IDirect3D8> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  UINT STDMETHODCALLTYPE GetAdapterCount() override;
  HRESULT STDMETHODCALLTYPE GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
  HRESULT STDMETHODCALLTYPE CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType,
                                              D3DFORMAT adapterFormat, DWORD usage,
                                              D3DRESOURCETYPE resourceType,
                                              D3DFORMAT checkFormat) override;
  HRESULT STDMETHODCALLTYPE CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow,
                                         DWORD behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                                         IDirect3DDevice8** device) override;

 private:
  ~Direct3D8() override = default;
};

}  // namespace d3d8sw

#endif
