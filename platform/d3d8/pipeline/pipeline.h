// The pipeline's entry points, what the device's COM objects call: each draw, with the state
// and the target it draws into and the room the pipeline works in, goes to PipelineDraw, which
// runs the stages in their rooms in order: vertex/ (fetch, transform, lighting), primitive/
// (assembly, clipping, viewport, culling), pixel/ (rasterizer, then interpolation, depth test,
// sampling and texture stages in vector code built per processor level) and target/ (the one door
// to the target's memory, and the clears it defers per tile). The records they pass are in
// pipeline_state.h.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIPELINE_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIPELINE_H

#include <d3d8.h>

#include <cstdint>
#include <vector>

#include "platform/d3d8/pipeline/pipeline_state.h"
#include "platform/d3d8/pipeline/primitive/clip_vertex.h"
#include "platform/d3d8/pipeline/target/target_memory.h"

namespace d3d8sw {

// Memory the pipeline reuses from draw to draw, so that drawing allocates only when a draw needs
// more than every one before it did. Keep one for the life of the device.
struct PipelineScratch {
  std::vector<ClipVertex> vertices;  // the draw's vertices after vertex processing
};

// Gives every member but the viewport its documented default: identity transforms, the render
// and stage states, no textures, no lights, a zero material.
void PipelineStateReset(PipelineState& state, bool hasDepthBuffer);

// Vertices `primitiveCount` primitives of `type` read; 0 for types the pipeline does not draw.
// Wide enough that no count wraps.
uint64_t PrimitiveVertexCount(D3DPRIMITIVETYPE type, UINT primitiveCount);

// Draws `primitiveCount` primitives of `type` from `vertices` (the vertex buffer's bytes,
// `stride` apart, starting at vertex `startVertex`).
void PipelineDraw(const PipelineState& state, RenderTarget& target, PipelineScratch& scratch,
                  D3DPRIMITIVETYPE type, const BYTE* vertices, UINT stride, UINT startVertex,
                  UINT primitiveCount);

// Clears the rectangles (already clipped to the viewport by the caller) of the target. A clear
// of the whole target is deferred: see PipelineFinish.
void PipelineClear(RenderTarget& target, const D3DRECT* rects, DWORD rectCount, DWORD flags,
                   D3DCOLOR colour, float z);

// Brings the target's memory up to date by writing out deferred clears. Call it before anything
// but the pipeline reads or writes the colour or depth memory.
void PipelineFinish(RenderTarget& target, TargetAccess access);

// Bounds of the colour pixels written since the last call, all of them the first time and after
// a ReadWrite access; empty (left >= right) when none was. Call it after PipelineFinish.
RECT PipelineChangedTake(RenderTarget& target);

}  // namespace d3d8sw

#endif
