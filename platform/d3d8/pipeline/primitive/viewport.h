// The viewport transform and the cull test, which Direct3D decides by the winding on screen.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_VIEWPORT_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_VIEWPORT_H

#include <d3d8.h>

#include <cstdint>

#include "platform/d3d8/pipeline/primitive/clip_vertex.h"
#include "platform/d3d8/pipeline/pixel/screen_vertex.h"

namespace d3d8sw {

// Maps a clipped vertex (w > 0) to the screen: Xs = X + (1 + x/w) W/2, Ys = Y + (1 - y/w) H/2,
// Zs = MinZ + z/w (MaxZ - MinZ).
ScreenVertex ViewportProject(const D3DVIEWPORT8& viewport, const ClipVertex& vertex);

// A vertex given already transformed: its screen position, depth and 1/w as they are.
ScreenVertex TransformedProject(const ClipVertex& vertex);

// Whether a transformed vertex can be drawn: 1/w positive and the position finite and within a
// million pixels (such vertices are not clipped, and the rasterizer's integers must hold them).
bool TransformedDrawable(const ClipVertex& vertex);

// Whether the cull mode removes a triangle whose twice signed area on screen (y down) is
// `winding`: positive when its vertices run clockwise. Triangles of no area never draw.
bool CullRemoves(DWORD cullMode, int64_t winding);

}  // namespace d3d8sw

#endif
