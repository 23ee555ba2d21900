#include "platform/d3d8/texture_sampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/d3d8/lane_vectors.h"
#include "platform/d3d8/texture_sampler_avx2.h"

namespace d3d8sw {

namespace {

constexpr int FractionBits = TexelFractionBits;
constexpr int FractionOne = 1 << FractionBits;
// Texel coordinates stay within this many texels of the chunk's repeat so that their
// fixed-point form fits 32 bits.
constexpr float TexelCoordinateLimit = 4194304.0f;

bool PowerOfTwo(int n) { return (n & (n - 1)) == 0; }

// The whole number of repeats to take off a chunk's coordinates before the fixed-point form:
// any whole number for wrap, an even one for mirror, none for the modes that clamp.
float RepeatOffset(DWORD address, float first) {
  float offset = 0.0f;
  if (address == D3DTADDRESS_WRAP) offset = std::floor(first);
  if (address == D3DTADDRESS_MIRROR) offset = 2.0f * std::floor(first * 0.5f);
  return std::isfinite(offset) ? offset : 0.0f;
}

// Texel coordinates (u * size) in fixed point with FractionBits, floored; `offset` is taken off
// the texture coordinate first (a whole number of repeats that leaves the sample unchanged),
// and `shift` (0.5 for bilinear) moves sample points onto texel centres. The caller keeps the
// results within 32 bits.
inline __attribute__((always_inline)) I32x8 TexelCoordinates(const float* coordinate, float offset,
                                                             float scale, float shift) {
  const F32x8 s = (VectorLoad<F32x8>(coordinate) - offset) * scale - shift;
  const I32x8 truncated = __builtin_convertvector(s, I32x8);
  // A comparison is -1 where true: one off where truncation went up.
  return truncated + (__builtin_convertvector(truncated, F32x8) > s);
}

// Whether every coordinate lies in [low, high] (none is NaN).
D3D8SW_PIXEL_PASS
bool CoordinatesWithin(const float* coordinate, int groups, float low, float high) {
  I32x8 inside = I32x8{} - 1;
  for (int i = 0; i < GroupPixels * groups; i += GroupPixels) {
    const F32x8 c = VectorLoad<F32x8>(coordinate + i);
    inside &= (c >= low) & (c <= high);
  }
  int32_t all = -1;
  for (int j = 0; j < GroupPixels; ++j) all &= inside[j];
  return all != 0;
}

// A chunk's texture coordinates with the whole number of repeats its addressing ignores, to be
// taken off before the fixed-point form. Only absurd minification, or coordinates that are not
// numbers, leave them too far apart for 32-bit texel coordinates; those are clamped first, in
// the scratch arrays.
struct CoordinatePair {
  const float* u;
  const float* v;
  float uOffset, vOffset;
  alignas(32) float uScratch[ChunkPixels];
  alignas(32) float vScratch[ChunkPixels];
};

const float* CoordinatesPrepare(const float* coordinate, int groups, DWORD address, int size,
                                float& offset, float* scratch) {
  offset = RepeatOffset(address, coordinate[0]);
  const float low = offset - TexelCoordinateLimit / static_cast<float>(size);
  const float high = offset + TexelCoordinateLimit / static_cast<float>(size);
  if (CoordinatesWithin(coordinate, groups, low, high)) return coordinate;
  for (int i = 0; i < GroupPixels * groups; ++i) {
    const float c = coordinate[i];
    scratch[i] = !(c >= low) ? low : (c > high ? high : c);
  }
  return scratch;
}

void CoordinatePairPrepare(const SamplerSetup& sampler, const PixelChunk& chunk,
                           CoordinatePair& pair) {
  const int groups = GroupCount(chunk.count);
  pair.u = CoordinatesPrepare(chunk.u, groups, sampler.addressU, sampler.width, pair.uOffset,
                              pair.uScratch);
  pair.v = CoordinatesPrepare(chunk.v, groups, sampler.addressV, sampler.height, pair.vOffset,
                              pair.vScratch);
}

// The addressing modes, each mapping `count` texel indices into [0, size). Always inlined, so
// that they are built for each processor the pass that calls them is built for.
inline __attribute__((always_inline)) void IndicesWrap(int size, int32_t* index, int count) {
  if (PowerOfTwo(size)) {
    for (int i = 0; i < count; i += GroupPixels) {
      VectorStore(index + i, VectorLoad<I32x8>(index + i) & (size - 1));
    }
  } else {
    for (int i = 0; i < count; ++i) index[i] = ((index[i] % size) + size) % size;
  }
}

inline __attribute__((always_inline)) void IndicesMirror(int size, int32_t* index, int count) {
  for (int i = 0; i < count; ++i) {
    const int32_t period = 2 * size;
    const int32_t m =
        PowerOfTwo(size) ? index[i] & (period - 1) : ((index[i] % period) + period) % period;
    index[i] = m >= size ? period - 1 - m : m;
  }
}

// `outside` is set where the border colour applies.
inline __attribute__((always_inline)) void IndicesBorder(int size, int32_t* index, uint8_t* outside,
                                                         int count) {
  for (int i = 0; i < count; ++i) {
    outside[i] |= index[i] < 0 || index[i] >= size;
    index[i] = std::min(std::max(index[i], 0), size - 1);
  }
}

inline __attribute__((always_inline)) void IndicesMirrorOnce(int size, int32_t* index, int count) {
  for (int i = 0; i < count; ++i) {
    const int32_t m = index[i] < 0 ? -1 - index[i] : index[i];
    index[i] = std::min(m, size - 1);
  }
}

inline __attribute__((always_inline)) void IndicesClamp(int size, int32_t* index, int count) {
  for (int i = 0; i < count; i += GroupPixels) {
    I32x8 v = VectorLoad<I32x8>(index + i);
    v = v < 0 ? 0 : v;
    VectorStore(index + i, v > size - 1 ? size - 1 : v);
  }
}

// Maps texel indices into [0, size) by the addressing mode; `outside` is set where the border
// colour applies.
D3D8SW_PIXEL_PASS
void IndicesAddress(DWORD address, int size, int32_t* index, uint8_t* outside, int groups) {
  const int count = GroupPixels * groups;
  switch (address) {
    case D3DTADDRESS_WRAP:
      return IndicesWrap(size, index, count);
    case D3DTADDRESS_MIRROR:
      return IndicesMirror(size, index, count);
    case D3DTADDRESS_BORDER:
      return IndicesBorder(size, index, outside, count);
    case D3DTADDRESS_MIRRORONCE:
      return IndicesMirrorOnce(size, index, count);
    default:  // D3DTADDRESS_CLAMP
      return IndicesClamp(size, index, count);
  }
}

// Each pixel's texel columns and rows before and after addressing: column[0], row[0] for a
// point sample; for a bilinear one its 2 by 2 footprint, columns 0 and 1 of rows 0 and 1.
struct Footprint {
  alignas(32) int32_t column[2][ChunkPixels];
  alignas(32) int32_t row[2][ChunkPixels];
};

// With border addressing, which of each pixel's columns and rows fall outside the texture.
struct BorderFlags {
  alignas(32) uint8_t column[2][ChunkPixels];
  alignas(32) uint8_t row[2][ChunkPixels];
};

bool Border(const SamplerSetup& sampler) {
  return sampler.addressU == D3DTADDRESS_BORDER || sampler.addressV == D3DTADDRESS_BORDER;
}

void FootprintAddress(const SamplerSetup& sampler, int pairs, int groups, Footprint& footprint,
                      BorderFlags& border) {
  for (int k = 0; k < pairs; ++k) {
    IndicesAddress(sampler.addressU, sampler.width, footprint.column[k], border.column[k], groups);
    IndicesAddress(sampler.addressV, sampler.height, footprint.row[k], border.row[k], groups);
  }
}

uint32_t TexelRead(const SamplerSetup& sampler, int32_t column, int32_t row) {
  return sampler.texels[row * sampler.pitch + column] | sampler.alphaFill;
}

void PointFetch(const SamplerSetup& sampler, const Footprint& footprint, const BorderFlags* border,
                int groups, uint32_t* texels) {
  for (int i = 0; i < GroupPixels * groups; ++i) {
    texels[i] = TexelRead(sampler, footprint.column[0][i], footprint.row[0][i]);
  }
  if (border == nullptr) return;
  for (int i = 0; i < GroupPixels * groups; ++i) {
    if (border->column[0][i] | border->row[0][i]) texels[i] = sampler.border;
  }
}

// Each pixel's two texels of row r of its footprint, side by side as in memory. Where the
// columns are neighbours in memory one 64-bit read takes both, much cheaper than gathering
// texels one by one; addressing at the texture's edges makes the others.
void PairFetch(const SamplerSetup& sampler, const Footprint& footprint, const BorderFlags* border,
               int groups, uint64_t (*pairs)[ChunkPixels]) {
  const uint64_t fill = sampler.alphaFill | uint64_t{sampler.alphaFill} << 32;
  for (int r = 0; r < 2; ++r) {
    for (int i = 0; i < GroupPixels * groups; ++i) {
      const int32_t c0 = footprint.column[0][i], c1 = footprint.column[1][i];
      const uint32_t* row = sampler.texels + footprint.row[r][i] * sampler.pitch;
      uint64_t pair;
      if (c1 == c0 + 1) {
        std::memcpy(&pair, row + c0, sizeof pair);
      } else {
        pair = row[c0] | uint64_t{row[c1]} << 32;
      }
      pairs[r][i] = pair | fill;
    }
  }
  if (border == nullptr) return;
  for (int r = 0; r < 2; ++r) {
    for (int i = 0; i < GroupPixels * groups; ++i) {
      uint32_t texel[2];
      std::memcpy(texel, &pairs[r][i], sizeof texel);
      for (int c = 0; c < 2; ++c) {
        if (border->column[c][i] | border->row[r][i]) texel[c] = sampler.border;
      }
      std::memcpy(&pairs[r][i], texel, sizeof texel);
    }
  }
}

D3D8SW_PIXEL_PASS
void LanesFromTexels(const uint32_t* texels, int groups, uint16_t* lanes) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(texels);
  for (int i = 0; i < GroupLanes * groups; i += 16) {
    VectorStore(lanes + i, __builtin_convertvector(VectorLoad<U8x16>(bytes + i), U16x16) * 257);
  }
}

// Bilinear weights of each pixel, laid out like its texel pairs: for row r, the weight of
// column 0 in four lanes, then that of column 1 in four.
struct PairWeights {
  alignas(32) uint16_t row[2][2 * ChunkLanes];
};

// The 2 by 2 footprint of each pixel (before addressing) and its bilinear weights; the
// weights sum to FractionOne exactly so that a flat texture stays flat.
D3D8SW_PIXEL_PASS
void BilinearFootprint(const SamplerSetup& sampler, const CoordinatePair& coordinates, int groups,
                       Footprint& footprint, PairWeights& weights) {
  const float width = static_cast<float>(sampler.width) * FractionOne;
  const float height = static_cast<float>(sampler.height) * FractionOne;
  const float shift = 0.5f * FractionOne;
  for (int i = 0; i < GroupPixels * groups; i += GroupPixels) {
    const I32x8 s = TexelCoordinates(coordinates.u + i, coordinates.uOffset, width, shift);
    const I32x8 t = TexelCoordinates(coordinates.v + i, coordinates.vOffset, height, shift);
    VectorStore(footprint.column[0] + i, s >> FractionBits);
    VectorStore(footprint.column[1] + i, (s >> FractionBits) + 1);
    VectorStore(footprint.row[0] + i, t >> FractionBits);
    VectorStore(footprint.row[1] + i, (t >> FractionBits) + 1);
    const I32x8 fu = s & (FractionOne - 1), fv = t & (FractionOne - 1);
    const I32x8 w00 = ((FractionOne - fu) * (FractionOne - fv)) >> FractionBits;
    const I32x8 w01 = (fu * (FractionOne - fv)) >> FractionBits;
    const I32x8 w10 = ((FractionOne - fu) * fv) >> FractionBits;
    const I32x8 w11 = FractionOne - w00 - w01 - w10;
    const I32x8 left[2] = {w00, w10}, right[2] = {w01, w11};
    for (int r = 0; r < 2; ++r) {
      const U16x8 l = __builtin_convertvector(left[r], U16x8);
      const U16x8 h = __builtin_convertvector(right[r], U16x8);
      uint16_t* out = weights.row[r] + 8 * i;
      VectorStore(out,
                  __builtin_shufflevector(l, h, 0, 0, 0, 0, 8, 8, 8, 8, 1, 1, 1, 1, 9, 9, 9, 9));
      VectorStore(out + 16, __builtin_shufflevector(l, h, 2, 2, 2, 2, 10, 10, 10, 10, 3, 3, 3, 3,
                                                    11, 11, 11, 11));
      VectorStore(out + 32, __builtin_shufflevector(l, h, 4, 4, 4, 4, 12, 12, 12, 12, 5, 5, 5, 5,
                                                    13, 13, 13, 13));
      VectorStore(out + 48, __builtin_shufflevector(l, h, 6, 6, 6, 6, 14, 14, 14, 14, 7, 7, 7, 7,
                                                    15, 15, 15, 15));
    }
  }
}

D3D8SW_PIXEL_PASS
void PointFootprint(const SamplerSetup& sampler, const CoordinatePair& coordinates, int groups,
                    Footprint& footprint) {
  const float width = static_cast<float>(sampler.width) * FractionOne;
  const float height = static_cast<float>(sampler.height) * FractionOne;
  for (int i = 0; i < GroupPixels * groups; i += GroupPixels) {
    const I32x8 s = TexelCoordinates(coordinates.u + i, coordinates.uOffset, width, 0.0f);
    const I32x8 t = TexelCoordinates(coordinates.v + i, coordinates.vOffset, height, 0.0f);
    VectorStore(footprint.column[0] + i, s >> FractionBits);
    VectorStore(footprint.row[0] + i, t >> FractionBits);
  }
}

// Weighted sum of the four texels' bytes: at most 255 * 256, so 16 bits hold it; then
// stretched from byte * 256 to byte * 257.
D3D8SW_PIXEL_PASS
void BilinearBlend(const uint64_t (*pairs)[ChunkPixels], const PairWeights& weights, int groups,
                   uint16_t* lanes) {
  // Four pixels at a time: two vectors hold their pairs' products, column 0 in lanes 0..3 of
  // each pixel's eight and column 1 in lanes 4..7.
  for (int p = 0; p < GroupPixels * groups; p += 4) {
    U16x16 sum[2] = {};
    for (int half = 0; half < 2; ++half) {
      for (int r = 0; r < 2; ++r) {
        const U8x16 bytes = VectorLoad<U8x16>(&pairs[r][p + 2 * half]);
        sum[half] += __builtin_convertvector(bytes, U16x16) *
                     VectorLoad<U16x16>(weights.row[r] + 8 * (p + 2 * half));
      }
    }
    const U16x16 total = __builtin_shufflevector(sum[0], sum[1], 0, 1, 2, 3, 8, 9, 10, 11, 16, 17,
                                                 18, 19, 24, 25, 26, 27) +
                         __builtin_shufflevector(sum[0], sum[1], 4, 5, 6, 7, 12, 13, 14, 15, 20, 21,
                                                 22, 23, 28, 29, 30, 31);
    VectorStore(lanes + 4 * p, total + (total >> 8));
  }
}

void ChunkSamplePoint(const SamplerSetup& sampler, const CoordinatePair& coordinates,
                      PixelChunk& chunk) {
  const int groups = GroupCount(chunk.count);
  Footprint footprint;
  BorderFlags border;
  if (Border(sampler)) std::memset(&border, 0, sizeof border);
  PointFootprint(sampler, coordinates, groups, footprint);
  FootprintAddress(sampler, 1, groups, footprint, border);
  alignas(32) uint32_t texels[ChunkPixels];
  PointFetch(sampler, footprint, Border(sampler) ? &border : nullptr, groups, texels);
  LanesFromTexels(texels, groups, chunk.texture);
}

void ChunkSampleBilinear(const SamplerSetup& sampler, const CoordinatePair& coordinates,
                         PixelChunk& chunk) {
  const int groups = GroupCount(chunk.count);
  Footprint footprint;
  BorderFlags border;
  if (Border(sampler)) std::memset(&border, 0, sizeof border);
  PairWeights weights;
  BilinearFootprint(sampler, coordinates, groups, footprint, weights);
  FootprintAddress(sampler, 2, groups, footprint, border);
  alignas(32) uint64_t pairs[2][ChunkPixels];
  PairFetch(sampler, footprint, Border(sampler) ? &border : nullptr, groups, pairs);
  BilinearBlend(pairs, weights, groups, chunk.texture);
}

}  // namespace

SamplerSetup SamplerSetupBuild(const TextureData* texture, const DWORD stageStates[]) {
  SamplerSetup sampler;
  sampler.magFilter = stageStates[D3DTSS_MAGFILTER];
  sampler.minFilter = stageStates[D3DTSS_MINFILTER];
  sampler.addressU = stageStates[D3DTSS_ADDRESSU];
  sampler.addressV = stageStates[D3DTSS_ADDRESSV];
  sampler.border = stageStates[D3DTSS_BORDERCOLOR];
  if (texture == nullptr || texture->levels.empty()) return sampler;
  const TextureLevel& top = texture->levels[0];
  if (top.width == 0 || top.height == 0 || top.texels.empty()) return sampler;
  sampler.texels = top.texels.data();
  sampler.width = static_cast<int>(top.width);
  sampler.height = static_cast<int>(top.height);
  sampler.pitch = top.pitch / 4;
  sampler.alphaFill = texture->format == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0u;
  return sampler;
}

void ChunkSample(const SamplerSetup& sampler, DWORD filter, PixelChunk& chunk) {
  if (sampler.texels == nullptr) {
    std::fill(chunk.texture, chunk.texture + ChunkLanes, static_cast<uint16_t>(LaneOne));
    return;
  }
  const bool point = filter == D3DTEXF_POINT || filter == D3DTEXF_NONE;
  const bool wrapped = sampler.addressU == D3DTADDRESS_WRAP && PowerOfTwo(sampler.width) &&
                       sampler.width >= 2 && sampler.addressV == D3DTADDRESS_WRAP &&
                       PowerOfTwo(sampler.height);
  if (!point && wrapped && BilinearWrappedSampleAvx2Available()) {
    // No range to keep here: the processor converts any float to some integer, and wrapping
    // keeps every index inside the texture.
    BilinearWrappedSampleAvx2(sampler, chunk.u, RepeatOffset(D3DTADDRESS_WRAP, chunk.u[0]), chunk.v,
                              RepeatOffset(D3DTADDRESS_WRAP, chunk.v[0]), GroupCount(chunk.count),
                              chunk.texture);
    return;
  }
  CoordinatePair coordinates;
  CoordinatePairPrepare(sampler, chunk, coordinates);
  if (point) {
    ChunkSamplePoint(sampler, coordinates, chunk);
  } else {
    // Anisotropic and the cubic filters fall back on bilinear, as drivers without them do.
    ChunkSampleBilinear(sampler, coordinates, chunk);
  }
}

}  // namespace d3d8sw
