// From processed vertices to pixels: triangles assembled from lists, strips and fans, clipped,
// projected through the viewport, culled and rasterized.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_PRIMITIVE_DRAW_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_PRIMITIVE_DRAW_H

#include "platform/d3d8/pipeline/primitive/clip_vertex.h"
#include "platform/d3d8/pipeline/pipeline_state.h"

namespace d3d8sw {

// Draws `primitiveCount` triangles of `type` from `vertices` (enough of them for the count);
// `transformed` vertices are already on the screen and are not clipped. Point and line
// primitives draw nothing.
void PrimitivesDraw(const PipelineState& state, RenderTarget& target, D3DPRIMITIVETYPE type,
                    bool transformed, const ClipVertex* vertices, UINT primitiveCount);

}  // namespace d3d8sw

#endif
