// Triangle rasterization: vertices snapped to 1/256 pixel, pixel centres at integer
// coordinates, the top-left fill rule decided exactly in integers, one span a row.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_RASTERIZER_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_RASTERIZER_H

#include <cstdint>

#include "platform/d3d8/pipeline/pixel/screen_vertex.h"
#include "platform/d3d8/pipeline/pixel/span_shader.h"

namespace d3d8sw {

constexpr int SubPixelBits = 8;

// Pixels x in [left, right) and y in [top, bottom) may be drawn.
struct Scissor {
  int left, top, right, bottom;
};

struct SnappedTriangle {
  const ScreenVertex* vertices[3];
  int64_t x[3], y[3];  // sub-pixel units
  int64_t winding;     // twice the signed area in sub-pixel units; > 0: clockwise on screen
};

// Snaps the triangle to the sub-pixel grid. Its vertices must lie within the clipping guard
// band.
SnappedTriangle TriangleSnap(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c);

// Shades every pixel whose centre the triangle covers (a triangle of no area covers none).
void TriangleRasterize(const SnappedTriangle& triangle, const Scissor& scissor,
                       const ShadingSetup& setup, TargetMemory& target);

}  // namespace d3d8sw

#endif
