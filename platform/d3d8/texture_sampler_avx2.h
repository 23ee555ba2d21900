// Bilinear sampling of the common texture, one that wraps both ways with power-of-two sides,
// on processors with AVX2: the texels come in pairs by gathers and blend in 16-bit lanes.
// It gives exactly what the general sampling passes give.
#ifndef VELKOR_PLATFORM_D3D8_TEXTURE_SAMPLER_AVX2_H
#define VELKOR_PLATFORM_D3D8_TEXTURE_SAMPLER_AVX2_H

#include <cstdint>

#include "platform/d3d8/texture_sampler.h"

namespace d3d8sw {

// Whether this processor runs BilinearWrappedSampleAvx2.
bool BilinearWrappedSampleAvx2Available();

// Samples `groups` groups of pixels at texture coordinates (u - uOffset, v - vOffset), already
// kept within range by the caller, into `lanes`.
void BilinearWrappedSampleAvx2(const SamplerSetup& sampler, const float* u, float uOffset,
                               const float* v, float vOffset, int groups, uint16_t* lanes);

}  // namespace d3d8sw

#endif
