// Clipping of triangles in homogeneous clip space: near (0 <= z) and far (z <= w) as Direct3D
// defines them, and x and y against a guard band wide enough that the rasterizer's fixed-point
// coordinates never overflow; the rasterizer scissors to the viewport itself.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_CLIPPING_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_CLIPPING_H

#include <cstdint>

#include "platform/d3d8/pipeline/primitive/clip_vertex.h"

namespace d3d8sw {

// Each clip plane can add one vertex to the triangle's three.
constexpr int MaxClippedVertices = 3 + 6;

struct GuardBand {
  float x;  // |x| <= x * w and |y| <= y * w keep a vertex inside
  float y;
};

// The guard band for a viewport of this size: a few thousand pixels either side.
GuardBand GuardBandForViewport(float width, float height);

// One bit a clip plane the position lies outside of; 0 when it is inside them all.
uint32_t ClipOutcode(const float position[4], const GuardBand& band);

// Clips the triangle to the clip volume; returns the number of polygon vertices written to
// `out` (0 when nothing is left).
int TriangleClip(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c,
                 const GuardBand& band, ClipVertex out[MaxClippedVertices]);

}  // namespace d3d8sw

#endif
