#include "platform/d3d8/pipeline/pixel/span_shader.h"

#include <algorithm>
#include <cstring>

#include "platform/d3d8/pipeline/pixel/lane_vectors.h"

namespace d3d8sw {

namespace {

// The sampling filter for the chunk: the minification filter where a pixel covers more than a
// texel, the magnification one elsewhere, judged at the chunk's first pixel.
DWORD ChunkFilter(const SamplerSetup& sampler, const AttributePlanes& planes,
                  const PixelChunk& chunk) {
  if (sampler.minFilter == sampler.magFilter) return sampler.magFilter;
  const float dx = chunk.x[0] - planes.refX, dy = chunk.y[0] - planes.refY;
  auto at = [&](int a) { return planes.at[a] + planes.perX[a] * dx + planes.perY[a] * dy; };
  const float q = at(AttrInvW);
  const float u = at(AttrU) / q, v = at(AttrV) / q;
  const float w = static_cast<float>(sampler.width), h = static_cast<float>(sampler.height);
  const float dudx = (planes.perX[AttrU] - u * planes.perX[AttrInvW]) / q * w;
  const float dvdx = (planes.perX[AttrV] - v * planes.perX[AttrInvW]) / q * h;
  const float dudy = (planes.perY[AttrU] - u * planes.perY[AttrInvW]) / q * w;
  const float dvdy = (planes.perY[AttrV] - v * planes.perY[AttrInvW]) / q * h;
  const float across = dudx * dudx + dvdx * dvdx, down = dudy * dudy + dvdy * dvdy;
  return (across > 1.0f || down > 1.0f) ? sampler.minFilter : sampler.magFilter;
}

// The byte nearest lane / 257 in each lane (off by at most 1/512 at the halfway points), in
// 16-bit arithmetic.
template <int N>
D3D8SW_INLINE Words<N> PlaneBytes(const uint32_t* plane) {
  const HalfWords<N> lane = (HalfWords<N>)VectorLoad<Words<N>>(plane);
  return (Words<N>)((lane - (lane >> 8) + 128) >> 8);
}

// The chunk's colours as 32-bit pixels, in the target's layout.
template <int N>
D3D8SW_INLINE void ChunkPixels32Body(const PixelChunk& chunk, uint32_t* pixels) {
  for (int i = 0; i < GroupPixels * GroupCount(chunk.count); i += N) {
    VectorStore(pixels + i,
                PlaneBytes<N>(chunk.current[0] + i) | PlaneBytes<N>(chunk.current[1] + i) << 8);
  }
}

D3D8SW_SIMD_ENTRY(void, ChunkPixels32, (const PixelChunk& chunk, uint32_t* pixels), (chunk, pixels))

void ChunkWrite(const PixelChunk& chunk, bool depthTested) {
  alignas(64) uint32_t pixels[ChunkPixels];
  ChunkPixels32(chunk, pixels);
  for (int s = 0; s < chunk.spanCount; ++s) {
    const ChunkSpan& span = chunk.spans[s];
    uint32_t* row = span.colour + span.x;
    if (!depthTested) {
      std::memcpy(row, pixels + span.first, 4 * span.count);
      continue;
    }
    for (int i = 0; i < span.count; ++i) {
      if (chunk.covered[span.first + i]) row[i] = pixels[span.first + i];
    }
  }
}

// Positions of pixels x .. x + count - 1 of row y; whole vectors are written, which the chunk's
// arrays have room for.
template <int N>
D3D8SW_INLINE void PositionsFillBody(int x, int y, int count, float* xs, float* ys) {
  const Floats<N> offsets = VectorLoad<Floats<N>>(PixelOffsets);
  for (int i = 0; i < count; i += N) {
    VectorStore(xs + i, static_cast<float>(x + i) + offsets);
    VectorStore(ys + i, Floats<N>{} + static_cast<float>(y));
  }
}

D3D8SW_SIMD_ENTRY(void, PositionsFill, (int x, int y, int count, float* xs, float* ys),
                  (x, y, count, xs, ys))

bool AnyCovered(const PixelChunk& chunk) {
  for (int i = 0; i < chunk.count; ++i) {
    if (chunk.covered[i]) return true;
  }
  return false;
}

void ChunkShade(ShadingQueue& queue) {
  const ShadingSetup& setup = queue.setup;
  PixelChunk& chunk = queue.chunk;
  // The rest of the last group repeats the last pixel, so every value there is one of the
  // triangle's own.
  for (int i = chunk.count; i < GroupPixels * GroupCount(chunk.count); ++i) {
    chunk.x[i] = chunk.x[chunk.count - 1];
    chunk.y[i] = chunk.y[chunk.count - 1];
  }
  ChunkInterpolate(setup.interpolation, queue.planes, chunk);
  if (setup.depth.enabled) {
    DepthTestChunk(setup.depth, chunk);
    if (!AnyCovered(chunk)) return;
  }
  StagesBegin(setup.program, chunk);
  for (int s = 0; s < setup.program.count; ++s) {
    if (setup.program.stages[s].samplesTexture) {
      const SamplerSetup& sampler = setup.samplers[s];
      ChunkSample(sampler, ChunkFilter(sampler, queue.planes, chunk), chunk);
    }
    StageApply(setup.program, s, chunk);
  }
  StagesEnd(setup.program, chunk);
  ChunkWrite(chunk, setup.depth.enabled);
}

}  // namespace

ShadingSetup ShadingSetupBuild(const PipelineState& state, const RenderTarget& target) {
  ShadingSetup setup;
  setup.program = StageProgramBuild(state);
  for (int s = 0; s < setup.program.count; ++s) {
    if (!setup.program.stages[s].samplesTexture) continue;
    setup.samplers[s] = SamplerSetupBuild(state.textures[s], state.stageStates[s]);
    setup.interpolation.texCoords =
        setup.interpolation.texCoords || setup.samplers[s].texels != nullptr;
  }
  const DWORD* rs = state.renderStates;
  setup.depth.enabled = rs[D3DRS_ZENABLE] != D3DZB_FALSE && target.HasDepth();
  setup.depth.function = rs[D3DRS_ZFUNC];
  setup.depth.write = rs[D3DRS_ZWRITEENABLE] != FALSE;
  setup.depth.format = target.DepthFormat();
  setup.interpolation.diffuse = setup.program.usesDiffuse;
  setup.interpolation.diffuseAlpha = setup.program.usesDiffuseAlpha;
  setup.interpolation.specular = setup.program.usesSpecular;
  setup.interpolation.depth = setup.depth.enabled;
  return setup;
}

void ShadingQueueSpan(ShadingQueue& queue, int y, int x, int count) {
  const TargetRows rows = queue.target.SpanOpen(y, x, x + count - 1, queue.setup.depth.enabled);
  PixelChunk& chunk = queue.chunk;
  while (count > 0) {
    const int taken = std::min(count, ChunkPixels - chunk.count);
    chunk.spans[chunk.spanCount++] = {rows.colour, rows.depth, x, chunk.count, taken};
    PositionsFill(x, y, taken, chunk.x + chunk.count, chunk.y + chunk.count);
    chunk.count += taken;
    x += taken;
    count -= taken;
    if (chunk.count == ChunkPixels) ShadingQueueFlush(queue);
  }
}

void ShadingQueueFlush(ShadingQueue& queue) {
  if (queue.chunk.count > 0) ChunkShade(queue);
  queue.chunk.count = 0;
  queue.chunk.spanCount = 0;
}

}  // namespace d3d8sw
