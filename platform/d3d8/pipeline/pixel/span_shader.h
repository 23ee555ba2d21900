// Shading of the pixels the rasterizer finds covered. Spans queue up in chunks of pixels, which
// may run over several rows of a triangle; a full chunk goes through interpolation, the depth
// test, the texture stages and the write into the target.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_SPAN_SHADER_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_SPAN_SHADER_H

#include "platform/d3d8/pipeline/pixel/depth.h"
#include "platform/d3d8/pipeline/pixel/interpolation.h"
#include "platform/d3d8/pipeline/pipeline_state.h"
#include "platform/d3d8/pipeline/pixel/screen_vertex.h"
#include "platform/d3d8/pipeline/pixel/texture_sampler.h"
#include "platform/d3d8/pipeline/pixel/texture_stages.h"
#include "platform/d3d8/pipeline/target/target_memory.h"

namespace d3d8sw {

struct ShadingSetup {
  StageProgram program;
  SamplerSetup samplers[TextureStageCount];
  DepthSetup depth;
  InterpolationNeeds interpolation;
};

ShadingSetup ShadingSetupBuild(const PipelineState& state, const RenderTarget& target);

// The pixels of one triangle waiting to be shaded.
struct ShadingQueue {
  const ShadingSetup& setup;
  const AttributePlanes& planes;
  TargetMemory& target;
  PixelChunk chunk;
};

// Queues `count` pixels of row y from column x, all inside the target; shades each chunk as it
// fills.
void ShadingQueueSpan(ShadingQueue& queue, int y, int x, int count);

// Shades what is left in the queue.
void ShadingQueueFlush(ShadingQueue& queue);

}  // namespace d3d8sw

#endif
