#include <vector>

#include "platform/d3d8/pipeline.h"
#include "platform/d3d8/primitive_draw.h"
#include "platform/d3d8/vertex_processing.h"

namespace d3d8sw {

void PipelineDraw(const PipelineState& state, RenderTarget& target, D3DPRIMITIVETYPE type,
                  const BYTE* vertices, UINT stride, UINT startVertex, UINT primitiveCount) {
  const UINT count = PrimitiveVertexCount(type, primitiveCount);
  if (count == 0 || vertices == nullptr || target.colour == nullptr) return;
  const VertexLayout layout = VertexLayoutFromFvf(state.vertexFormat);
  std::vector<ClipVertex> processed;
  VerticesProcess(state, layout, vertices + static_cast<size_t>(startVertex) * stride, stride,
                  count, processed);
  PrimitivesDraw(state, target, type, layout.transformed, processed.data(), primitiveCount);
}

}  // namespace d3d8sw
