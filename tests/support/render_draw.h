// Drawing for the rendering tests: vertices in a buffer of their own, one draw in one scene.
#ifndef VELKOR_TESTS_SUPPORT_RENDER_DRAW_H
#define VELKOR_TESTS_SUPPORT_RENDER_DRAW_H

#include <vector>

#include "support/render_device.h"

// Vertices already transformed to the screen (XYZRHW: x, y in pixels), with a colour and
// texture coordinates.
struct TransformedVertex {
  float x, y, z, rhw;
  D3DCOLOR diffuse;
  float u, v;
};
constexpr DWORD TransformedVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Draws `primitives` primitives of `type` from `vertices` (of format `fvf`, `stride` bytes
// each) in a scene of their own; false, with the failure recorded, when any call fails.
bool VerticesDraw(const RenderDevice& render, D3DPRIMITIVETYPE type, UINT primitives,
                  const void* vertices, UINT count, UINT stride, DWORD fvf);

bool TransformedVerticesDraw(const RenderDevice& render, D3DPRIMITIVETYPE type,
                             const std::vector<TransformedVertex>& vertices);

// States for drawing plain shapes: no culling, and the vertex colour as it is, without texture.
void PlainShapeStates(const RenderDevice& render);

// A right-handed projection: the camera at the origin looking down -z, near 1, far 100, a 90
// degree field of view, so a point (x, y, z) lands at (x / -z, y / -z) on the screen.
void RightHandedProjectionSet(const RenderDevice& render);

// Clears the back buffer to `colour` (and depth to 1 when there is a depth buffer).
void BackBufferClear(const RenderDevice& render, D3DCOLOR colour, bool depth = false);

#endif
