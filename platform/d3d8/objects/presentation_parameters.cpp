#include "platform/d3d8/objects/presentation_parameters.h"

#include "platform/d3d8/pipeline/formats.h"

namespace d3d8sw {

namespace {

constexpr UINT MaxBackBuffers = 3;
constexpr UINT MaxBackBufferSide = 8192;

bool IntervalKnown(UINT interval) {
  return interval == D3DPRESENT_INTERVAL_DEFAULT || interval == D3DPRESENT_INTERVAL_ONE ||
         interval == D3DPRESENT_INTERVAL_TWO || interval == D3DPRESENT_INTERVAL_THREE ||
         interval == D3DPRESENT_INTERVAL_FOUR || interval == D3DPRESENT_INTERVAL_IMMEDIATE;
}

// A windowed chain shows the desktop's format and follows the desktop's refresh.
bool WindowedValid(const D3DPRESENT_PARAMETERS& parameters) {
  return parameters.BackBufferFormat == DisplayFormat &&
         parameters.FullScreen_RefreshRateInHz == 0 &&
         parameters.FullScreen_PresentationInterval == D3DPRESENT_INTERVAL_DEFAULT;
}

// The display keeps its refresh rate when a window goes full-screen.
bool FullScreenValid(const D3DPRESENT_PARAMETERS& parameters,
                     const win32sw::DisplayModeInfo& display) {
  return FormatIsColour(parameters.BackBufferFormat) && parameters.BackBufferWidth != 0 &&
         parameters.BackBufferHeight != 0 &&
         (parameters.FullScreen_RefreshRateInHz == 0 ||
          parameters.FullScreen_RefreshRateInHz == display.refreshRate) &&
         IntervalKnown(parameters.FullScreen_PresentationInterval);
}

}  // namespace

HRESULT PresentationParametersComplete(D3DPRESENT_PARAMETERS& parameters, HWND focusWindow,
                                       const win32sw::DisplayModeInfo& display, HWND& window) {
  window = parameters.hDeviceWindow ? parameters.hDeviceWindow : focusWindow;
  RECT client;
  if (!window || !GetClientRect(window, &client)) return D3DERR_INVALIDCALL;
  const UINT clientWidth = static_cast<UINT>(client.right);
  const UINT clientHeight = static_cast<UINT>(client.bottom);
  if (parameters.SwapEffect < D3DSWAPEFFECT_DISCARD ||
      parameters.SwapEffect > D3DSWAPEFFECT_COPY_VSYNC ||
      parameters.BackBufferCount > MaxBackBuffers ||
      (SwapEffectCopies(parameters.SwapEffect) && parameters.BackBufferCount > 1) ||
      parameters.MultiSampleType != D3DMULTISAMPLE_NONE ||
      (parameters.Flags & ~DWORD{D3DPRESENTFLAG_LOCKABLE_BACKBUFFER}) != 0 ||
      (parameters.EnableAutoDepthStencil && !FormatIsDepth(parameters.AutoDepthStencilFormat))) {
    return D3DERR_INVALIDCALL;
  }
  if (parameters.Windowed ? !WindowedValid(parameters) : !FullScreenValid(parameters, display)) {
    return D3DERR_INVALIDCALL;
  }
  if (parameters.BackBufferWidth > MaxBackBufferSide ||
      parameters.BackBufferHeight > MaxBackBufferSide) {
    return D3DERR_INVALIDCALL;
  }
  if (parameters.BackBufferCount == 0) parameters.BackBufferCount = 1;
  // A minimised window has no client area, but a back buffer needs at least one pixel.
  if (parameters.BackBufferWidth == 0) parameters.BackBufferWidth = clientWidth ? clientWidth : 1;
  if (parameters.BackBufferHeight == 0) {
    parameters.BackBufferHeight = clientHeight ? clientHeight : 1;
  }
  return D3D_OK;
}

}  // namespace d3d8sw
