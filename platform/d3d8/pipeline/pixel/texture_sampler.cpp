#include "platform/d3d8/pipeline/pixel/texture_sampler.h"

#include <cstring>
#include <utility>

#include "platform/d3d8/pipeline/pixel/lane_vectors.h"
#include "platform/d3d8/pipeline/pixel/texel_addressing.h"

namespace d3d8sw {

namespace {

constexpr int FractionBits = TexelFractionBits;
constexpr int FractionOne = 1 << FractionBits;

// Each pixel's texel columns and rows before and after addressing: column[0], row[0] for a
// point sample; for a bilinear one its 2 by 2 footprint, columns 0 and 1 of rows 0 and 1.
struct Footprint {
  alignas(64) int32_t column[2][ChunkPixels];
  alignas(64) int32_t row[2][ChunkPixels];
};

// With border addressing, which of each pixel's columns and rows fall outside the texture.
struct BorderFlags {
  alignas(64) uint8_t column[2][ChunkPixels];
  alignas(64) uint8_t row[2][ChunkPixels];
};

// Where each pixel's texels are, as texel indices from the first: at[r][c] for column c of row r
// of its footprint.
struct TexelIndices {
  alignas(64) int32_t at[2][2][ChunkPixels];
};

// Each pixel's bilinear weights, weight[r][c] for column c of row r of its footprint, in both
// halves of a word to multiply both channels of a plane at once.
struct BilinearWeights {
  alignas(64) uint32_t weight[2][2][ChunkPixels];
};

// Each pixel's texels, side by side as in a row of the texture: pair[r][i] holds columns 0 and 1
// (low and high half) of row r of pixel i's footprint; a point sample has column 0 of row 0.
struct TexelPairs {
  alignas(64) uint64_t pair[2][ChunkPixels];
};

D3D8SW_INLINE bool Border(const SamplerSetup& sampler) {
  return sampler.addressU == D3DTADDRESS_BORDER || sampler.addressV == D3DTADDRESS_BORDER;
}

// Addresses `size` columns and rows of each pixel's footprint, then finds the texels there.
template <int N>
D3D8SW_INLINE void FootprintAddress(const SamplerSetup& sampler, int size, int groups,
                                    Footprint& footprint, BorderFlags& border,
                                    TexelIndices& indices) {
  for (int k = 0; k < size; ++k) {
    IndicesAddress<N>(sampler.addressU, sampler.width, footprint.column[k], border.column[k],
                      groups);
    IndicesAddress<N>(sampler.addressV, sampler.height, footprint.row[k], border.row[k], groups);
  }
  for (int r = 0; r < size; ++r) {
    for (int c = 0; c < size; ++c) {
      for (int i = 0; i < GroupPixels * groups; i += N) {
        VectorStore(indices.at[r][c] + i,
                    VectorLoad<Ints<N>>(footprint.row[r] + i) * sampler.pitch +
                        VectorLoad<Ints<N>>(footprint.column[c] + i));
      }
    }
  }
}

// The texels of `size` columns of `size` rows of each pixel's footprint, with the format's
// missing alpha filled in. Each pixel's first column is read with the texel after it, in one
// 64-bit word, much cheaper than reading texels one by one. With wrapping that is always the
// second column, thanks to the copy of the first texel that ends each row; the other addressing
// modes make another second column at the texture's edges, read on its own.
template <int N>
D3D8SW_INLINE void TexelsFetch(const SamplerSetup& sampler, const TexelIndices& indices, int size,
                               int groups, TexelPairs& texels) {
  const int count = GroupPixels * groups;
  const uint64_t fill = sampler.alphaFill | uint64_t{sampler.alphaFill} << 32;
  for (int r = 0; r < size; ++r) {
    for (int i = 0; i < count; ++i) {
      uint64_t pair;
      std::memcpy(&pair, sampler.texels + indices.at[r][0][i], sizeof pair);
      texels.pair[r][i] = pair | fill;
    }
  }
  if (size == 1 || sampler.addressU == D3DTADDRESS_WRAP) return;
  for (int r = 0; r < 2; ++r) {
    for (int i = 0; i < count; ++i) {
      const int32_t second = indices.at[r][1][i];
      if (second == indices.at[r][0][i] + 1) continue;
      texels.pair[r][i] = (texels.pair[r][i] & 0xFFFFFFFFu) |
                          uint64_t{sampler.texels[second] | sampler.alphaFill} << 32;
    }
  }
}

// The border colour where the footprint falls outside the texture.
D3D8SW_INLINE void TexelsBorder(const SamplerSetup& sampler, const BorderFlags& border, int size,
                                int groups, TexelPairs& texels) {
  for (int r = 0; r < size; ++r) {
    for (int i = 0; i < GroupPixels * groups; ++i) {
      uint32_t texel[2];
      std::memcpy(texel, &texels.pair[r][i], sizeof texel);
      for (int c = 0; c < size; ++c) {
        if (border.column[c][i] | border.row[r][i]) texel[c] = sampler.border;
      }
      std::memcpy(&texels.pair[r][i], texel, sizeof texel);
    }
  }
}

// Bilinear weights of a step's pixels from their fixed-point texel coordinates, in 8 bits of
// fraction; they sum to FractionOne exactly so that a flat texture stays flat.
template <int N>
D3D8SW_INLINE void WeightsStore(const Ints<N>& s, const Ints<N>& t, int i,
                                BilinearWeights& weights) {
  const Ints<N> fu = s & (FractionOne - 1), fv = t & (FractionOne - 1);
  const Ints<N> w00 = ((FractionOne - fu) * (FractionOne - fv)) >> FractionBits;
  const Ints<N> w01 = (fu * (FractionOne - fv)) >> FractionBits;
  const Ints<N> w10 = ((FractionOne - fu) * fv) >> FractionBits;
  const Ints<N> w11 = FractionOne - w00 - w01 - w10;
  const Ints<N> each[2][2] = {{w00, w01}, {w10, w11}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c)
      VectorStore(weights.weight[r][c] + i, each[r][c] | each[r][c] << 16);
  }
}

// The fixed-point texel coordinates of the pixels of a step from pixel i, less `shift`: half a
// texel for a bilinear footprint, whose first texel lies up and to the left of the pixel.
template <int N>
struct StepCoordinates {
  Ints<N> s, t;
  D3D8SW_INLINE StepCoordinates(const SamplerSetup& sampler, const CoordinatePair& coordinates,
                                int i, float shift)
      : s(TexelCoordinates<N>(coordinates.u + i, coordinates.uOffset,
                              static_cast<float>(sampler.width) * FractionOne, shift)),
        t(TexelCoordinates<N>(coordinates.v + i, coordinates.vOffset,
                              static_cast<float>(sampler.height) * FractionOne, shift)) {}
};

constexpr float BilinearShift = 0.5f * FractionOne;

// The 2 by 2 footprint of each pixel (before addressing) and its bilinear weights.
template <int N>
D3D8SW_INLINE void BilinearFootprint(const SamplerSetup& sampler, const CoordinatePair& coordinates,
                                     int groups, Footprint& footprint, BilinearWeights& weights) {
  for (int i = 0; i < GroupPixels * groups; i += N) {
    const auto [s, t] = StepCoordinates<N>(sampler, coordinates, i, BilinearShift);
    VectorStore(footprint.column[0] + i, s >> FractionBits);
    VectorStore(footprint.column[1] + i, (s >> FractionBits) + 1);
    VectorStore(footprint.row[0] + i, t >> FractionBits);
    VectorStore(footprint.row[1] + i, (t >> FractionBits) + 1);
    WeightsStore<N>(s, t, i, weights);
  }
}

// For a texture that wraps both ways with power-of-two sides, the usual case, the first texel of
// each row of each pixel's footprint and the bilinear weights at once: addressing is a mask, and
// the second column is the texel after the first (see TexelsFetch).
template <int N>
D3D8SW_INLINE void WrappedFootprint(const SamplerSetup& sampler, const CoordinatePair& coordinates,
                                    int groups, TexelIndices& indices, BilinearWeights& weights) {
  for (int i = 0; i < GroupPixels * groups; i += N) {
    const auto [s, t] = StepCoordinates<N>(sampler, coordinates, i, BilinearShift);
    const Ints<N> column = (s >> FractionBits) & (sampler.width - 1);
    const Ints<N> row = (t >> FractionBits) & (sampler.height - 1);
    VectorStore(indices.at[0][0] + i, row * sampler.pitch + column);
    VectorStore(indices.at[1][0] + i, ((row + 1) & (sampler.height - 1)) * sampler.pitch + column);
    WeightsStore<N>(s, t, i, weights);
  }
}

template <int N>
D3D8SW_INLINE void PointFootprint(const SamplerSetup& sampler, const CoordinatePair& coordinates,
                                  int groups, Footprint& footprint) {
  for (int i = 0; i < GroupPixels * groups; i += N) {
    const auto [s, t] = StepCoordinates<N>(sampler, coordinates, i, 0.0f);
    VectorStore(footprint.column[0] + i, s >> FractionBits);
    VectorStore(footprint.row[0] + i, t >> FractionBits);
  }
}

// The low (`half` 0) or high (1) halves of the pairs of a step's pixels from pixel i.
template <int N, size_t... Lane>
D3D8SW_INLINE Words<N> PairHalves(const uint64_t* pairs, int i, int half,
                                  std::index_sequence<Lane...>) {
  const uint32_t* words = reinterpret_cast<const uint32_t*>(pairs + i);
  const Words<N> first = VectorLoad<Words<N>>(words), second = VectorLoad<Words<N>>(words + N);
  return half == 0 ? __builtin_shufflevector(first, second, (2 * Lane)...)
                   : __builtin_shufflevector(first, second, (2 * Lane + 1)...);
}

// One plane of a texel's channels, a pair of bytes in the low bytes of the halves.
template <int N>
D3D8SW_INLINE Words<N> TexelPlane(const Words<N>& texel, int plane) {
  return (texel >> (8 * plane)) & ChannelPairMask;
}

// Each pixel's texel as the two planes of lanes.
template <int N>
D3D8SW_INLINE void PointLanes(const TexelPairs& texels, int groups, ChunkColour& lanes) {
  for (int i = 0; i < GroupPixels * groups; i += N) {
    const Words<N> texel = PairHalves<N>(texels.pair[0], i, 0, std::make_index_sequence<N>());
    for (int p = 0; p < 2; ++p) VectorStore(lanes[p] + i, TexelPlane<N>(texel, p) * 257);
  }
}

// Weighted sum of the four texels' bytes, each pair of channels at once: at most 255 * 256, so
// 16 bits hold each; then stretched from byte * 256 to byte * 257.
template <int N>
D3D8SW_INLINE void BilinearLanes(const TexelPairs& texels, const BilinearWeights& weights,
                                 int groups, ChunkColour& lanes) {
  for (int i = 0; i < GroupPixels * groups; i += N) {
    HalfWords<N> sum[2] = {};
    for (int r = 0; r < 2; ++r) {
      for (int c = 0; c < 2; ++c) {
        const Words<N> texel = PairHalves<N>(texels.pair[r], i, c, std::make_index_sequence<N>());
        const HalfWords<N> weight = (HalfWords<N>)VectorLoad<Words<N>>(weights.weight[r][c] + i);
        for (int p = 0; p < 2; ++p) sum[p] += (HalfWords<N>)TexelPlane<N>(texel, p) * weight;
      }
    }
    for (int p = 0; p < 2; ++p) VectorStore(lanes[p] + i, (Words<N>)(sum[p] + (sum[p] >> 8)));
  }
}

template <int N>
D3D8SW_INLINE void ChunkSamplePoint(const SamplerSetup& sampler, const CoordinatePair& coordinates,
                                    PixelChunk& chunk) {
  const int groups = GroupCount(chunk.count);
  Footprint footprint;
  BorderFlags border;
  if (Border(sampler)) std::memset(&border, 0, sizeof border);
  PointFootprint<N>(sampler, coordinates, groups, footprint);
  TexelIndices indices;
  FootprintAddress<N>(sampler, 1, groups, footprint, border, indices);
  TexelPairs texels;
  TexelsFetch<N>(sampler, indices, 1, groups, texels);
  if (Border(sampler)) TexelsBorder(sampler, border, 1, groups, texels);
  PointLanes<N>(texels, groups, chunk.texture);
}

template <int N>
D3D8SW_INLINE void ChunkSampleBilinear(const SamplerSetup& sampler,
                                       const CoordinatePair& coordinates, PixelChunk& chunk) {
  const int groups = GroupCount(chunk.count);
  BilinearWeights weights;
  TexelIndices indices;
  TexelPairs texels;
  if (sampler.addressU == D3DTADDRESS_WRAP && sampler.addressV == D3DTADDRESS_WRAP &&
      PowerOfTwo(sampler.width) && PowerOfTwo(sampler.height)) {
    WrappedFootprint<N>(sampler, coordinates, groups, indices, weights);
    TexelsFetch<N>(sampler, indices, 2, groups, texels);
    return BilinearLanes<N>(texels, weights, groups, chunk.texture);
  }
  Footprint footprint;
  BorderFlags border;
  if (Border(sampler)) std::memset(&border, 0, sizeof border);
  BilinearFootprint<N>(sampler, coordinates, groups, footprint, weights);
  FootprintAddress<N>(sampler, 2, groups, footprint, border, indices);
  TexelsFetch<N>(sampler, indices, 2, groups, texels);
  if (Border(sampler)) TexelsBorder(sampler, border, 2, groups, texels);
  BilinearLanes<N>(texels, weights, groups, chunk.texture);
}

template <int N>
D3D8SW_INLINE void ChunkSampleBody(const SamplerSetup& sampler, DWORD filter, PixelChunk& chunk) {
  if (sampler.texels == nullptr) {
    for (auto& plane : chunk.texture) {
      for (uint32_t& lanes : plane) lanes = LaneOne | LaneOne << 16;
    }
    return;
  }
  CoordinatePair coordinates;
  CoordinatePairPrepare<N>(sampler, chunk, coordinates);
  if (filter == D3DTEXF_POINT || filter == D3DTEXF_NONE) {
    ChunkSamplePoint<N>(sampler, coordinates, chunk);
  } else {
    // Anisotropic and the cubic filters fall back on bilinear, as drivers without them do.
    ChunkSampleBilinear<N>(sampler, coordinates, chunk);
  }
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

D3D8SW_SIMD_ENTRY(void, ChunkSample, (const SamplerSetup& sampler, DWORD filter, PixelChunk& chunk),
                  (sampler, filter, chunk))

}  // namespace d3d8sw
