// Locking a rectangle of 32-bit pixels, shared by texture levels and the back buffer.
#ifndef VELKOR_PLATFORM_D3D8_OBJECTS_SURFACE_RECT_H
#define VELKOR_PLATFORM_D3D8_OBJECTS_SURFACE_RECT_H

#include <d3d8.h>

#include <cstdint>

namespace d3d8sw {

// Points `locked` at `rect` (the whole surface when null) of a `width` by `height` surface at
// `pixels`, rows `pitch` bytes apart. D3DERR_INVALIDCALL, with `locked` left empty, when the
// rectangle is empty or reaches outside the surface.
HRESULT SurfaceRectLock(uint32_t* pixels, INT pitch, UINT width, UINT height, const RECT* rect,
                        D3DLOCKED_RECT& locked);

}  // namespace d3d8sw

#endif
