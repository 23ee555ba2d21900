// Texel coordinates and the addressing modes: from a chunk's texture coordinates to texel
// columns and rows inside the texture. Always inlined into the sampling passes, so that they
// are built for each processor level with them.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_TEXEL_ADDRESSING_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_TEXEL_ADDRESSING_H

#include <cmath>

#include "platform/d3d8/pipeline/pixel/lane_vectors.h"
#include "platform/d3d8/pipeline/pixel/pixel_chunk.h"
#include "platform/d3d8/pipeline/pixel/texture_sampler.h"

namespace d3d8sw {

// Texel coordinates stay within this many texels of the chunk's repeat so that their
// fixed-point form fits 32 bits.
constexpr float TexelCoordinateLimit = 4194304.0f;

D3D8SW_INLINE bool PowerOfTwo(int n) { return (n & (n - 1)) == 0; }

// The whole number of repeats to take off a chunk's coordinates before the fixed-point form:
// any whole number for wrap, an even one for mirror, none for the modes that clamp.
inline float RepeatOffset(DWORD address, float first) {
  float offset = 0.0f;
  if (address == D3DTADDRESS_WRAP) offset = std::floor(first);
  if (address == D3DTADDRESS_MIRROR) offset = 2.0f * std::floor(first * 0.5f);
  return std::isfinite(offset) ? offset : 0.0f;
}

// Texel coordinates (u * size) in fixed point with FractionBits, floored; `offset` is taken off
// the texture coordinate first (a whole number of repeats that leaves the sample unchanged),
// and `shift` (0.5 for bilinear) moves sample points onto texel centres. The caller keeps the
// results within 32 bits.
template <int N>
D3D8SW_INLINE Ints<N> TexelCoordinates(const float* coordinate, float offset, float scale,
                                       float shift) {
  const Floats<N> s = (VectorLoad<Floats<N>>(coordinate) - offset) * scale - shift;
  const Ints<N> truncated = __builtin_convertvector(s, Ints<N>);
  // A comparison is -1 where true: one off where truncation went up.
  return truncated + (__builtin_convertvector(truncated, Floats<N>) > s);
}

// Whether every coordinate lies in [low, high] (none is NaN): the least and the most of them,
// and the largest magnitude of their bits, which is above infinity's for a NaN only. Gathered
// comparisons would be simpler, but the compiler takes those out of vector registers.
template <int N>
D3D8SW_INLINE bool CoordinatesWithin(const float* coordinate, int groups, float low, float high) {
  constexpr int32_t InfinityBits = 0x7F800000;
  Floats<N> least = Floats<N>{} + low, most = Floats<N>{} + high;
  Ints<N> largest = {};
  for (int i = 0; i < GroupPixels * groups; i += N) {
    const Floats<N> c = VectorLoad<Floats<N>>(coordinate + i);
    least = c < least ? c : least;
    most = c > most ? c : most;
    const Ints<N> magnitude = (Ints<N>)c & 0x7FFFFFFF;
    largest = magnitude > largest ? magnitude : largest;
  }
  bool within = true;
  for (int j = 0; j < N; ++j)
    within = within && least[j] >= low && most[j] <= high && largest[j] <= InfinityBits;
  return within;
}

// A chunk's texture coordinates with the whole number of repeats its addressing ignores, to be
// taken off before the fixed-point form. Only absurd minification, or coordinates that are not
// numbers, leave them too far apart for 32-bit texel coordinates; those are clamped first, in
// the scratch arrays.
struct CoordinatePair {
  const float* u;
  const float* v;
  float uOffset, vOffset;
  alignas(64) float uScratch[ChunkPixels];
  alignas(64) float vScratch[ChunkPixels];
};

template <int N>
D3D8SW_INLINE const float* CoordinatesPrepare(const float* coordinate, int groups, DWORD address,
                                              int size, float& offset, float* scratch) {
  offset = RepeatOffset(address, coordinate[0]);
  const float low = offset - TexelCoordinateLimit / static_cast<float>(size);
  const float high = offset + TexelCoordinateLimit / static_cast<float>(size);
  if (CoordinatesWithin<N>(coordinate, groups, low, high)) return coordinate;
  for (int i = 0; i < GroupPixels * groups; ++i) {
    const float c = coordinate[i];
    scratch[i] = !(c >= low) ? low : (c > high ? high : c);
  }
  return scratch;
}

template <int N>
D3D8SW_INLINE void CoordinatePairPrepare(const SamplerSetup& sampler, const PixelChunk& chunk,
                                         CoordinatePair& pair) {
  const int groups = GroupCount(chunk.count);
  pair.u = CoordinatesPrepare<N>(chunk.u, groups, sampler.addressU, sampler.width, pair.uOffset,
                                 pair.uScratch);
  pair.v = CoordinatesPrepare<N>(chunk.v, groups, sampler.addressV, sampler.height, pair.vOffset,
                                 pair.vScratch);
}

// The addressing modes, each mapping `count` texel indices into [0, size).
template <int N>
D3D8SW_INLINE void IndicesWrap(int size, int32_t* index, int count) {
  if (PowerOfTwo(size)) {
    for (int i = 0; i < count; i += N) {
      VectorStore(index + i, VectorLoad<Ints<N>>(index + i) & (size - 1));
    }
  } else {
    for (int i = 0; i < count; ++i) index[i] = ((index[i] % size) + size) % size;
  }
}

D3D8SW_INLINE void IndicesMirror(int size, int32_t* index, int count) {
  for (int i = 0; i < count; ++i) {
    const int32_t period = 2 * size;
    const int32_t m =
        PowerOfTwo(size) ? index[i] & (period - 1) : ((index[i] % period) + period) % period;
    index[i] = m >= size ? period - 1 - m : m;
  }
}

// `outside` is set where the border colour applies.
D3D8SW_INLINE void IndicesBorder(int size, int32_t* index, uint8_t* outside, int count) {
  for (int i = 0; i < count; ++i) {
    outside[i] |= index[i] < 0 || index[i] >= size;
    index[i] = index[i] < 0 ? 0 : (index[i] > size - 1 ? size - 1 : index[i]);
  }
}

D3D8SW_INLINE void IndicesMirrorOnce(int size, int32_t* index, int count) {
  for (int i = 0; i < count; ++i) {
    const int32_t m = index[i] < 0 ? -1 - index[i] : index[i];
    index[i] = m > size - 1 ? size - 1 : m;
  }
}

template <int N>
D3D8SW_INLINE void IndicesClamp(int size, int32_t* index, int count) {
  for (int i = 0; i < count; i += N) {
    Ints<N> v = VectorLoad<Ints<N>>(index + i);
    v = v < 0 ? 0 : v;
    VectorStore(index + i, v > size - 1 ? size - 1 : v);
  }
}

// Maps texel indices into [0, size) by the addressing mode; `outside` is set where the border
// colour applies.
template <int N>
D3D8SW_INLINE void IndicesAddress(DWORD address, int size, int32_t* index, uint8_t* outside,
                                  int groups) {
  const int count = GroupPixels * groups;
  switch (address) {
    case D3DTADDRESS_WRAP:
      return IndicesWrap<N>(size, index, count);
    case D3DTADDRESS_MIRROR:
      return IndicesMirror(size, index, count);
    case D3DTADDRESS_BORDER:
      return IndicesBorder(size, index, outside, count);
    case D3DTADDRESS_MIRRORONCE:
      return IndicesMirrorOnce(size, index, count);
    default:  // D3DTADDRESS_CLAMP
      return IndicesClamp<N>(size, index, count);
  }
}

}  // namespace d3d8sw

#endif
