// Vectors for the per-pixel passes, in the vector extension GCC and Clang share. A pass is
// written once for vectors of N 32-bit lanes and built with N the register width of each level
// (simd_level.h): 4, 8 or 16 pixels a step.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_LANE_VECTORS_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_LANE_VECTORS_H

#include <cstdint>
#include <cstring>

#include "platform/d3d8/pipeline/pixel/simd_level.h"

// Wider vectors than the baseline processor's registers are returned differently with and
// without AVX; these never cross a call between code built for different levels (the helpers
// below are always inlined), so the compiler's note about it does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace d3d8sw {

template <typename Element, int N>
struct LaneVector {
  typedef Element Type __attribute__((vector_size(N * sizeof(Element))));
};

template <int N>
using Floats = typename LaneVector<float, N>::Type;
template <int N>
using Ints = typename LaneVector<int32_t, N>::Type;
template <int N>
using Words = typename LaneVector<uint32_t, N>::Type;
// The 16-bit halves of N words, low half first.
template <int N>
using HalfWords = typename LaneVector<uint16_t, 2 * N>::Type;

// Unaligned loads and stores; the compiler turns them into single vector moves.
template <typename Vector, typename Element>
D3D8SW_INLINE Vector VectorLoad(const Element* from) {
  Vector v;
  std::memcpy(&v, from, sizeof v);
  return v;
}

template <typename Vector, typename Element>
D3D8SW_INLINE void VectorStore(Element* to, const Vector& v) {
  std::memcpy(to, &v, sizeof v);
}

// 0, 1, 2, ...: the offsets of a step's pixels, as many as the widest level takes.
alignas(64) constexpr float PixelOffsets[16] = {0, 1, 2,  3,  4,  5,  6,  7,
                                                8, 9, 10, 11, 12, 13, 14, 15};

}  // namespace d3d8sw

#endif
