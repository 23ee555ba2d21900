// Texture sampling: point and bilinear filters on the top level, with Direct3D's texel centres
// (half-integer texel coordinates), and the wrap, mirror, clamp, border and mirror-once
// addressing modes.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_TEXTURE_SAMPLER_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_TEXTURE_SAMPLER_H

#include "platform/d3d8/pipeline/pipeline_state.h"
#include "platform/d3d8/pipeline/pixel/pixel_chunk.h"

namespace d3d8sw {

// Bits of fraction in texel coordinates: the precision of bilinear weights.
constexpr int TexelFractionBits = 8;

struct SamplerSetup {
  const uint32_t* texels = nullptr;  // null: no texture, every sample is opaque white
  int width = 0;
  int height = 0;
  int pitch = 0;           // texels between rows
  uint32_t alphaFill = 0;  // ORed into every texel: 0xFF000000 for X8R8G8B8
  DWORD magFilter = D3DTEXF_POINT;
  DWORD minFilter = D3DTEXF_POINT;
  DWORD addressU = D3DTADDRESS_WRAP;
  DWORD addressV = D3DTADDRESS_WRAP;
  uint32_t border = 0;  // D3DCOLOR
};

SamplerSetup SamplerSetupBuild(const TextureData* texture, const DWORD stageStates[]);

// Samples the texture at the chunk's coordinates into chunk.texture with the given filter.
void ChunkSample(const SamplerSetup& sampler, DWORD filter, PixelChunk& chunk);

}  // namespace d3d8sw

#endif
