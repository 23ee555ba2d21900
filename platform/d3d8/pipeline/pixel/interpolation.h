// Interpolation of a triangle's attributes at each pixel of a chunk: texture coordinates and
// colours perspective-correct, depth linear on the screen as Direct3D has it.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_INTERPOLATION_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_INTERPOLATION_H

#include "platform/d3d8/pipeline/pixel/pixel_chunk.h"
#include "platform/d3d8/pipeline/pixel/screen_vertex.h"

namespace d3d8sw {

struct InterpolationNeeds {
  bool texCoords = false;
  bool diffuse = false;
  bool diffuseAlpha = false;  // otherwise the diffuse alpha lanes are left at one
  bool specular = false;
  bool depth = false;
};

// Fills what `needs` asks of the chunk at its pixels' positions.
void ChunkInterpolate(const InterpolationNeeds& needs, const AttributePlanes& planes,
                      PixelChunk& chunk);

}  // namespace d3d8sw

#endif
