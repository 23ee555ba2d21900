// Vertex processing: each vertex fetched, transformed to clip space and lit, once a draw.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_VERTEX_PROCESSING_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_VERTEX_PROCESSING_H

#include <vector>

#include "platform/d3d8/pipeline/primitive/clip_vertex.h"
#include "platform/d3d8/pipeline/pipeline_state.h"
#include "platform/d3d8/pipeline/vertex/vertex_format.h"

namespace d3d8sw {

// Processes `count` vertices of `layout`, `stride` bytes apart, into `out`. Vertices already
// transformed keep their screen position and 1/w as they are, and their own colours.
void VerticesProcess(const PipelineState& state, const VertexLayout& layout, const BYTE* vertices,
                     UINT stride, UINT count, std::vector<ClipVertex>& out);

}  // namespace d3d8sw

#endif
