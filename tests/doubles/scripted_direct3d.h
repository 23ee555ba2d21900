// A Direct3D object whose answers a test scripts, and the Direct3DCreate8 that hands it out.
// Linked in place of the platform's Direct3D 8.
#ifndef VELKOR_TESTS_DOUBLES_SCRIPTED_DIRECT3D_H
#define VELKOR_TESTS_DOUBLES_SCRIPTED_DIRECT3D_H

#include <set>

#include "device/direct3d.h"
#include "doubles/recording_double.h"

class ScriptedDirect3D : public RecordingDouble<IDirect3D8> {
 public:
  HRESULT displayModeResult = D3D_OK;
  D3DDISPLAYMODE displayMode = {1920, 1080, 60, D3DFMT_X8R8G8B8};
  // Depth formats CheckDeviceFormat accepts; every other format is refused.
  std::set<D3DFORMAT> acceptedDepthFormats = {D3DFMT_D32, D3DFMT_D24X8, D3DFMT_D16};
  HRESULT hardwareCreateResult = D3D_OK;
  HRESULT softwareCreateResult = D3D_OK;
  // What a successful CreateDevice writes.
  IDirect3DDevice8* deviceToCreate = nullptr;
  // The presentation parameters of the last CreateDevice call.
  D3DPRESENT_PARAMETERS presentParams = {};

  UINT STDMETHODCALLTYPE GetAdapterCount() override;
  HRESULT STDMETHODCALLTYPE GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode) override;
  HRESULT STDMETHODCALLTYPE CheckDeviceFormat(UINT Adapter, D3DDEVTYPE DeviceType,
                                              D3DFORMAT AdapterFormat, DWORD Usage,
                                              D3DRESOURCETYPE RType,
                                              D3DFORMAT CheckFormat) override;
  HRESULT STDMETHODCALLTYPE CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                         DWORD BehaviorFlags,
                                         D3DPRESENT_PARAMETERS* pPresentationParameters,
                                         IDirect3DDevice8** ppReturnedDeviceInterface) override;

#ifdef _WIN32
#include "doubles/direct3d8_windows_methods.inc"
#endif
};

// What the next Direct3DCreate8 returns (null makes it fail), and the versions it was asked
// for.
extern ScriptedDirect3D* Direct3DToCreate;
extern std::vector<UINT> Direct3DCreateVersions;

#endif
