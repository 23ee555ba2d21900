// The pipeline's entry points, each handing its work to the stages in the order they run.
#include "platform/d3d8/pipeline/pipeline.h"

#include <climits>

#include "platform/d3d8/pipeline/pixel/depth.h"
#include "platform/d3d8/pipeline/primitive/primitive_draw.h"
#include "platform/d3d8/pipeline/state_defaults.h"
#include "platform/d3d8/pipeline/target/target_clear.h"
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
  if (count == 0 || count > UINT_MAX || vertices == nullptr || target.colour == nullptr) return;
  const VertexLayout layout = VertexLayoutFromFvf(state.vertexFormat);
  VerticesProcess(state, layout, vertices + static_cast<size_t>(startVertex) * stride, stride,
                  static_cast<UINT>(count), scratch.vertices);
  PrimitivesDraw(state, target, type, layout.transformed, scratch.vertices.data(), primitiveCount);
}

void PipelineClear(RenderTarget& target, const D3DRECT* rects, DWORD rectCount, DWORD flags,
                   D3DCOLOR colour, float z) {
  if (rects == nullptr) return;
  TilesFitTarget(target);
  if ((flags & D3DCLEAR_TARGET) && target.colour != nullptr) {
    PlaneClear(target, ColourPlane(target), rects, rectCount, colour);
  }
  if ((flags & D3DCLEAR_ZBUFFER) && target.depth != nullptr) {
    PlaneClear(target, DepthPlane(target), rects, rectCount, DepthInFormat(z, target.depthFormat));
  }
}

void PipelineFinish(RenderTarget& target, TargetAccess access) {
  TilesFitTarget(target);
  if (target.colour != nullptr) PlaneFinish(target, ColourPlane(target), access);
  if (target.depth != nullptr) PlaneFinish(target, DepthPlane(target), access);
}

RECT PipelineChangedTake(RenderTarget& target) {
  TilesFitTarget(target);
  const RECT changed = target.tiles.changed;
  target.tiles.changed = {};
  return changed;
}

}  // namespace d3d8sw
