// The pipeline's entry points, each handing its work to the stages in the order they run.
#include "platform/d3d8/pipeline/pipeline.h"

#include <climits>

#include "platform/d3d8/pipeline/pixel/depth.h"
#include "platform/d3d8/pipeline/primitive/primitive_draw.h"
#include "platform/d3d8/pipeline/state_defaults.h"
#include "platform/d3d8/pipeline/vertex/vertex_format.h"
#include "platform/d3d8/pipeline/vertex/vertex_processing.h"

namespace d3d8sw {

namespace {

D3DMATRIX IdentityMatrix() {
  D3DMATRIX m = {};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

}  // namespace

uint64_t PrimitiveVertexCount(D3DPRIMITIVETYPE type, UINT primitiveCount) {
  switch (type) {
    case D3DPT_TRIANGLELIST:
      return 3 * uint64_t{primitiveCount};
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
      return primitiveCount == 0 ? 0 : uint64_t{primitiveCount} + 2;
    default:
      return 0;
  }
}

void PipelineStateReset(PipelineState& state, bool hasDepthBuffer) {
  state.world = state.view = state.projection = IdentityMatrix();
  RenderStatesReset(state.renderStates, hasDepthBuffer);
  for (int s = 0; s < TextureStageCount; ++s) {
    StageStatesReset(state.stageStates[s], s);
    state.textures[s] = nullptr;
  }
  for (LightSlot& slot : state.lights) slot = LightSlot{};
  state.material = {};
  state.vertexFormat = 0;
}

void PipelineDraw(const PipelineState& state, RenderTarget& target, PipelineScratch& scratch,
                  D3DPRIMITIVETYPE type, const BYTE* vertices, UINT stride, UINT startVertex,
                  UINT primitiveCount) {
  const uint64_t count = PrimitiveVertexCount(type, primitiveCount);
  if (count == 0 || count > UINT_MAX || vertices == nullptr || !target.HasColour()) return;
  const VertexLayout layout = VertexLayoutFromFvf(state.vertexFormat);
  VerticesProcess(state, layout, vertices + static_cast<size_t>(startVertex) * stride, stride,
                  static_cast<UINT>(count), scratch.vertices);
  PrimitivesDraw(state, target, type, layout.transformed, scratch.vertices.data(), primitiveCount);
}

void PipelineClear(RenderTarget& target, const D3DRECT* rects, DWORD rectCount, DWORD flags,
                   D3DCOLOR colour, float z) {
  if (rects == nullptr) return;
  TargetMemory(target).Clear(rects, rectCount, flags, colour,
                             DepthInFormat(z, target.DepthFormat()));
}

void PipelineFinish(RenderTarget& target, TargetAccess access) {
  TargetMemory(target).Finish(access);
}

RECT PipelineChangedTake(RenderTarget& target) { return TargetMemory(target).ChangedTake(); }

}  // namespace d3d8sw
