// The checks CreateDevice makes of its presentation parameters, and what it fills in.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_PRESENTATION_PARAMETERS_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_PRESENTATION_PARAMETERS_H

#include <d3d8.h>

#include "platform/win32/stand_in.h"

namespace d3d8sw {

// Whether presenting copies the back buffer (COPY, COPY_VSYNC) rather than flipping or
// discarding it.
inline bool SwapEffectCopies(D3DSWAPEFFECT swapEffect) {
  return swapEffect == D3DSWAPEFFECT_COPY || swapEffect == D3DSWAPEFFECT_COPY_VSYNC;
}

// D3DERR_INVALIDCALL for parameters the real runtime refuses or this device cannot keep.
// Otherwise completes `parameters` as the runtime does (a back-buffer count of 0 becomes 1; a
// windowed back buffer of width or height 0 takes the window's client size), sets `window` to
// the window presented into (the device window, else the focus window) and answers D3D_OK.
HRESULT PresentationParametersComplete(D3DPRESENT_PARAMETERS& parameters, HWND focusWindow,
                                       const win32sw::DisplayModeInfo& display, HWND& window);

}  // namespace d3d8sw

#endif
