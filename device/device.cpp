#include "device/device.h"

IDirect3DDevice8* Device = nullptr;
IDirect3D8* Direct3DObject = nullptr;
D3DDISPLAYMODE DisplayMode = {};
D3DPRESENT_PARAMETERS PresentParams = {};
RECT ClientRect = {};

namespace {

constexpr char ErrorCaption[] = "Error";

// Depth formats from the deepest down; the first one the adapter accepts is used.
constexpr D3DFORMAT DepthFormats[] = {D3DFMT_D32, D3DFMT_D24X8, D3DFMT_D16};

// True while this module owes COM an uninitialisation: only a successful CoInitialize may be
// balanced, and only once.
bool ComInitialised = false;

D3DFORMAT FullScreenFormat(UINT bitsPerPixel) {
  switch (bitsPerPixel) {
    case 15:
      return D3DFMT_X1R5G5B5;
    case 16:
      return D3DFMT_R5G6B5;
    case 24:
      return D3DFMT_X8R8G8B8;
    case 32:
      return D3DFMT_A8R8G8B8;
    default:  // 8 bits and anything else: no format
      return D3DFMT_UNKNOWN;
  }
}

BOOL StartupFailure(const char* message) {
  MessageBoxA(nullptr, message, ErrorCaption, MB_OK);
  return 0;
}

void DepthFormatProbe() {
  for (D3DFORMAT format : DepthFormats) {
    if (Direct3DObject->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, DisplayMode.Format,
                                          D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                          format) == D3D_OK) {
      PresentParams.AutoDepthStencilFormat = format;
      PresentParams.EnableAutoDepthStencil = TRUE;
      return;
    }
  }
}

// Windowed at the window's client size, or full-screen at the display mode's; with the first
// depth format the adapter accepts.
void PresentParamsFill(HWND window, BOOL fullScreen) {
  PresentParams = {};
  PresentParams.BackBufferFormat = DisplayMode.Format;
  PresentParams.BackBufferCount = 1;
  PresentParams.hDeviceWindow = window;
  if (fullScreen) {
    PresentParams.Windowed = FALSE;
    PresentParams.BackBufferWidth = DisplayMode.Width;
    PresentParams.BackBufferHeight = DisplayMode.Height;
  } else {
    PresentParams.Windowed = TRUE;
    GetClientRect(window, &ClientRect);
    PresentParams.BackBufferWidth = ClientRect.right - ClientRect.left;
    PresentParams.BackBufferHeight = ClientRect.bottom - ClientRect.top;
  }
  // Copying in step with the retrace is what paces the frame loop.
  PresentParams.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
  PresentParams.EnableAutoDepthStencil = FALSE;
  DepthFormatProbe();
}

HRESULT DeviceCreate(HWND window, DWORD vertexProcessing) {
  return Direct3DObject->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, vertexProcessing,
                                      &PresentParams, &Device);
}

}  // namespace

BOOL DeviceStartup(HWND window, UINT width, UINT height, UINT bitsPerPixel, BOOL fullScreen) {
  ComInitialised = SUCCEEDED(CoInitialize(nullptr));

  Direct3DObject = Direct3DCreate8(D3D_SDK_VERSION);
  if (Direct3DObject == nullptr) return StartupFailure("Unable to create a Direct3D interface");

  DisplayMode = {};
  if (fullScreen) {
    DisplayMode.Width = width;
    DisplayMode.Height = height;
    DisplayMode.RefreshRate = 0;
    DisplayMode.Format = FullScreenFormat(bitsPerPixel);
  } else if (FAILED(Direct3DObject->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &DisplayMode))) {
    return StartupFailure("Unable to get the current display mode");
  }

  PresentParamsFill(window, fullScreen);

  if (FAILED(DeviceCreate(window, D3DCREATE_HARDWARE_VERTEXPROCESSING)) &&
      FAILED(DeviceCreate(window, D3DCREATE_SOFTWARE_VERTEXPROCESSING))) {
    return StartupFailure("Unable to create a Direct3D device");
  }
  if (Device == nullptr) return StartupFailure("Device pointer is NULL");
  return 1;
}

void DeviceShutdown() {
  if (Device != nullptr) {
    Device->Release();
    Device = nullptr;
  }
  if (Direct3DObject != nullptr) {
    Direct3DObject->Release();
    Direct3DObject = nullptr;
  }
  if (ComInitialised) {
    CoUninitialize();
    ComInitialised = false;
  }
}
