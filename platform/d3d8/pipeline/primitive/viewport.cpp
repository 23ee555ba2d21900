#include "platform/d3d8/pipeline/primitive/viewport.h"

#include <cmath>

namespace d3d8sw {

namespace {

constexpr float TransformedLimit = 1048576.0f;

ScreenVertex ScreenVertexMake(const ClipVertex& vertex, float x, float y, float depth, float invW) {
  ScreenVertex out;
  out.x = x;
  out.y = y;
  float* a = out.attributes;
  a[AttrInvW] = invW;
  a[AttrU] = vertex.texCoord[0] * invW;
  a[AttrV] = vertex.texCoord[1] * invW;
  for (int i = 0; i < 4; ++i) {
    a[AttrDiffuse + i] = vertex.diffuse[i] * invW;
    a[AttrSpecular + i] = vertex.specular[i] * invW;
  }
  a[AttrDepth] = depth;
  return out;
}

}  // namespace

ScreenVertex ViewportProject(const D3DVIEWPORT8& viewport, const ClipVertex& vertex) {
  const float invW = 1.0f / vertex.position[3];
  const float halfWidth = static_cast<float>(viewport.Width) * 0.5f;
  const float halfHeight = static_cast<float>(viewport.Height) * 0.5f;
  return ScreenVertexMake(
      vertex, static_cast<float>(viewport.X) + (1.0f + vertex.position[0] * invW) * halfWidth,
      static_cast<float>(viewport.Y) + (1.0f - vertex.position[1] * invW) * halfHeight,
      viewport.MinZ + vertex.position[2] * invW * (viewport.MaxZ - viewport.MinZ), invW);
}

ScreenVertex TransformedProject(const ClipVertex& vertex) {
  const float* p = vertex.position;
  return ScreenVertexMake(vertex, p[0], p[1], p[2], p[3]);
}

bool TransformedDrawable(const ClipVertex& vertex) {
  const float* p = vertex.position;
  return p[3] > 0.0f && std::fabs(p[0]) <= TransformedLimit &&
         std::fabs(p[1]) <= TransformedLimit && std::isfinite(p[2]) && std::isfinite(p[3]);
}

bool CullRemoves(DWORD cullMode, int64_t winding) {
  if (winding == 0) return true;
  if (cullMode == D3DCULL_CW) return winding > 0;
  if (cullMode == D3DCULL_CCW) return winding < 0;
  return false;
}

}  // namespace d3d8sw
