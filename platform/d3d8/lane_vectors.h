// Fixed-size vectors for the per-pixel passes, in the vector extension GCC and Clang share:
// the compiler maps them onto the vector registers of whatever processor it builds for.
#ifndef VELKOR_PLATFORM_D3D8_LANE_VECTORS_H
#define VELKOR_PLATFORM_D3D8_LANE_VECTORS_H

#include <cstdint>
#include <cstring>

// Wider vectors than the baseline processor's registers are returned differently with and
// without AVX; these never cross a call between code built for different processors (the
// helpers below are always inlined), so the compiler's note about it does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace d3d8sw {

typedef uint8_t U8x16 __attribute__((vector_size(16)));
typedef uint16_t U16x8 __attribute__((vector_size(16)));
typedef uint16_t U16x16 __attribute__((vector_size(32)));
typedef int32_t I32x8 __attribute__((vector_size(32)));
typedef uint32_t U32x16 __attribute__((vector_size(64)));
typedef float F32x8 __attribute__((vector_size(32)));

// Unaligned loads and stores; the compiler turns them into single vector moves.
template <typename Vector, typename Element>
inline __attribute__((always_inline)) Vector VectorLoad(const Element* from) {
  Vector v;
  std::memcpy(&v, from, sizeof v);
  return v;
}

template <typename Vector, typename Element>
inline __attribute__((always_inline)) void VectorStore(Element* to, const Vector& v) {
  std::memcpy(to, &v, sizeof v);
}

// 0, 1, ..., 7: a group's pixel offsets.
constexpr F32x8 PixelOffsets = {0, 1, 2, 3, 4, 5, 6, 7};

}  // namespace d3d8sw

#endif
