#include "platform/d3d8/objects/direct3d8.h"

#include "platform/d3d8/objects/com_query.h"
#include "platform/d3d8/objects/software_device.h"
#include "platform/d3d8/pipeline/formats.h"
#include "platform/d3d8/objects/presentation_parameters.h"
#include "platform/win32/stand_in.h"

namespace d3d8sw {

namespace {

constexpr DWORD VertexProcessingFlags = D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                        D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                        D3DCREATE_MIXED_VERTEXPROCESSING;
constexpr DWORD BehaviorFlags =
    D3DCREATE_FPU_PRESERVE | D3DCREATE_MULTITHREADED | D3DCREATE_PUREDEVICE | VertexProcessingFlags;

// Only the hardware device exists; the reference and software rasterisers are not installed.
HRESULT DeviceTypeCheck(D3DDEVTYPE deviceType) {
  if (deviceType == D3DDEVTYPE_HAL) return D3D_OK;
  if (deviceType == D3DDEVTYPE_REF || deviceType == D3DDEVTYPE_SW) return D3DERR_NOTAVAILABLE;
  return D3DERR_INVALIDCALL;
}

// Exactly one kind of vertex processing; a pure device only with hardware processing.
bool BehaviorValid(DWORD flags) {
  const DWORD processing = flags & VertexProcessingFlags;
  return (flags & ~BehaviorFlags) == 0 &&
         (processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING ||
          processing == D3DCREATE_HARDWARE_VERTEXPROCESSING ||
          processing == D3DCREATE_MIXED_VERTEXPROCESSING) &&
         (!(flags & D3DCREATE_PUREDEVICE) || processing == D3DCREATE_HARDWARE_VERTEXPROCESSING);
}

// Depth buffers, back buffers and textures, in the formats this device keeps.
bool FormatUsable(DWORD usage, D3DRESOURCETYPE resourceType, D3DFORMAT format) {
  switch (usage) {
    case D3DUSAGE_DEPTHSTENCIL:
      return resourceType == D3DRTYPE_SURFACE && FormatIsDepth(format);
    case D3DUSAGE_RENDERTARGET:
      return resourceType == D3DRTYPE_SURFACE && FormatIsColour(format);
    case 0:
      return (resourceType == D3DRTYPE_SURFACE || resourceType == D3DRTYPE_TEXTURE) &&
             FormatIsColour(format);
    default:
      return false;
  }
}

// The mode's format as the device sees it: its own where the window stand-in converts frames
// to the display's pixels; the display's, which it cannot render to, where nothing can.
D3DFORMAT DisplayModeFormat(const win32sw::DisplayModeInfo& display) {
  if (display.framesShown) return DisplayFormat;
  switch (display.depth) {
    case 8:
      return D3DFMT_P8;
    case 15:
      return D3DFMT_X1R5G5B5;
    case 16:
      return D3DFMT_R5G6B5;
    case 30:
      return D3DFMT_A2B10G10R10;
    default:
      return DisplayFormat;
  }
}

}  // namespace

HRESULT STDMETHODCALLTYPE Direct3D8::QueryInterface(REFIID riid, void** object) {
  return InterfaceQuery(this, riid, object, {&IID_IUnknown, &IID_IDirect3D8});
}

UINT STDMETHODCALLTYPE Direct3D8::GetAdapterCount() {
  win32sw::DisplayModeInfo display;
  return win32sw::DisplayModeQuery(display) ? 1 : 0;
}

HRESULT STDMETHODCALLTYPE Direct3D8::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
  if (adapter != D3DADAPTER_DEFAULT || !mode) return D3DERR_INVALIDCALL;
  win32sw::DisplayModeInfo display;
  if (!win32sw::DisplayModeQuery(display)) return D3DERR_NOTAVAILABLE;
  *mode = {display.width, display.height, display.refreshRate, DisplayModeFormat(display)};
  return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Direct3D8::CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType,
                                                       D3DFORMAT adapterFormat, DWORD usage,
                                                       D3DRESOURCETYPE resourceType,
                                                       D3DFORMAT checkFormat) {
  if (adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
  const HRESULT typeResult = DeviceTypeCheck(deviceType);
  if (FAILED(typeResult)) return typeResult;
  // The adapter's format is a display's: one with alpha is none.
  return adapterFormat == DisplayFormat && FormatUsable(usage, resourceType, checkFormat)
             ? D3D_OK
             : D3DERR_NOTAVAILABLE;
}

HRESULT STDMETHODCALLTYPE Direct3D8::CreateDevice(UINT adapter, D3DDEVTYPE deviceType,
                                                  HWND focusWindow, DWORD behaviorFlags,
                                                  D3DPRESENT_PARAMETERS* parameters,
                                                  IDirect3DDevice8** device) {
  if (!device) return D3DERR_INVALIDCALL;
  *device = nullptr;
  if (adapter != D3DADAPTER_DEFAULT || !parameters || !BehaviorValid(behaviorFlags)) {
    return D3DERR_INVALIDCALL;
  }
  const HRESULT typeResult = DeviceTypeCheck(deviceType);
  if (FAILED(typeResult)) return typeResult;
  win32sw::DisplayModeInfo display;
  if (!win32sw::DisplayModeQuery(display)) return D3DERR_NOTAVAILABLE;

  D3DPRESENT_PARAMETERS completed = *parameters;
  HWND window = nullptr;
  const HRESULT checked = PresentationParametersComplete(completed, focusWindow, display, window);
  if (FAILED(checked)) return checked;
  if (!completed.Windowed &&
      !win32sw::WindowFullScreen(window, completed.BackBufferWidth, completed.BackBufferHeight)) {
    return D3DERR_NOTAVAILABLE;
  }
  const UINT refreshRate = completed.FullScreen_RefreshRateInHz
                               ? completed.FullScreen_RefreshRateInHz
                               : display.refreshRate;
  const HRESULT created = Device::Create(this, window, completed, refreshRate, device);
  if (SUCCEEDED(created)) *parameters = completed;
  return created;
}

}  // namespace d3d8sw

// Only the Direct3D 8.1 interface, as its SDK version names it.
extern "C" IDirect3D8* WINAPI Direct3DCreate8(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  return new (std::nothrow) d3d8sw::Direct3D8();
}
