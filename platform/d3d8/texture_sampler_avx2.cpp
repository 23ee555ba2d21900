#include "platform/d3d8/texture_sampler_avx2.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define D3D8SW_AVX2 1
#else
#define D3D8SW_AVX2 0
#endif

namespace d3d8sw {

#if D3D8SW_AVX2

namespace {

constexpr int FractionOne = 1 << TexelFractionBits;

// (c - offset) * scale - shift, floored to an integer, for eight coordinates: the same float
// operations in the same order as the general passes, so the same results.
__attribute__((target("avx2"))) inline __m256i TexelCoordinates(const float* c, float offset,
                                                                float scale, float shift) {
  const __m256 s =
      _mm256_sub_ps(_mm256_mul_ps(_mm256_sub_ps(_mm256_loadu_ps(c), _mm256_set1_ps(offset)),
                                  _mm256_set1_ps(scale)),
                    _mm256_set1_ps(shift));
  const __m256i truncated = _mm256_cvttps_epi32(s);
  const __m256 above = _mm256_cmp_ps(_mm256_cvtepi32_ps(truncated), s, _CMP_GT_OQ);
  return _mm256_add_epi32(truncated, _mm256_castps_si256(above));
}

// The texel pairs (column, column + 1) at element indices `start` for four pixels, where
// `last` (all ones) marks the pixels in the last column, whose second texel is the row's
// first, `width` texels back.
__attribute__((target("avx2"))) inline __m256i PairGather(const uint32_t* texels, __m128i start,
                                                          __m128i last, bool anyLast, int width) {
  const long long* base = reinterpret_cast<const long long*>(texels);
  if (!anyLast) {
    // Four 64-bit reads put together are no slower than a gather on the processors measured.
    alignas(16) int32_t index[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(index), start);
    long long pair[4];
    for (int j = 0; j < 4; ++j) __builtin_memcpy(&pair[j], texels + index[j], sizeof pair[j]);
    return _mm256_setr_epi64x(pair[0], pair[1], pair[2], pair[3]);
  }
  // In the last column read the pair ending there and the one starting the row, and take the
  // high half of the first and the low half of the second: no read past the row.
  const __m128i ending = _mm_add_epi32(start, last);
  const __m128i starting = _mm_sub_epi32(ending, _mm_and_si128(last, _mm_set1_epi32(width - 2)));
  const __m256i a = _mm256_i32gather_epi64(base, ending, 4);
  const __m256i b = _mm256_i32gather_epi64(base, starting, 4);
  const __m256i edge = _mm256_or_si256(_mm256_srli_epi64(a, 32), _mm256_slli_epi64(b, 32));
  return _mm256_blendv_epi8(a, edge, _mm256_cvtepi32_epi64(last));
}

// Weights of two pixels as their pairs' lanes: for pixel 2k, left weight in lanes 0..3 and
// right weight in lanes 4..7; pixel 2k + 1 in lanes 8..15. `packed` holds left | right << 16
// per pixel.
__attribute__((target("avx2"))) inline __m256i PairWeights(__m256i packed, int k) {
  const __m256i spread = _mm256_permutevar8x32_epi32(
      packed,
      _mm256_setr_epi32(2 * k, 2 * k, 2 * k, 2 * k, 2 * k + 1, 2 * k + 1, 2 * k + 1, 2 * k + 1));
  return _mm256_shuffle_epi8(
      spread, _mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 2, 3, 2, 3, 2, 3, 0, 1, 0, 1, 0, 1, 0,
                               1, 2, 3, 2, 3, 2, 3, 2, 3));
}

// The weighted sum of two pixels' pairs, left texel's products in the low four lanes of each
// pixel's eight and the right's in the high four, then added: each pixel's sum in its low four.
__attribute__((target("avx2"))) inline __m256i TwoPixels(__m128i top, __m128i bottom,
                                                         __m256i topWeights,
                                                         __m256i bottomWeights) {
  const __m256i sum =
      _mm256_add_epi16(_mm256_mullo_epi16(_mm256_cvtepu8_epi16(top), topWeights),
                       _mm256_mullo_epi16(_mm256_cvtepu8_epi16(bottom), bottomWeights));
  return _mm256_add_epi16(sum, _mm256_srli_si256(sum, 8));
}

// A group's bilinear weights in 8 bits of fraction, two to a pixel's 32 bits: top holds
// left | right << 16 of the upper row, bottom those of the lower one.
__attribute__((target("avx2"))) inline void BilinearWeights(__m256i s, __m256i t, __m256i& top,
                                                            __m256i& bottom) {
  const __m256i fraction = _mm256_set1_epi32(FractionOne - 1);
  const __m256i one = _mm256_set1_epi32(FractionOne);
  const __m256i fu = _mm256_and_si256(s, fraction), fv = _mm256_and_si256(t, fraction);
  const __m256i fu1 = _mm256_sub_epi32(one, fu), fv1 = _mm256_sub_epi32(one, fv);
  const __m256i w00 = _mm256_srai_epi32(_mm256_mullo_epi32(fu1, fv1), TexelFractionBits);
  const __m256i w01 = _mm256_srai_epi32(_mm256_mullo_epi32(fu, fv1), TexelFractionBits);
  const __m256i w10 = _mm256_srai_epi32(_mm256_mullo_epi32(fu1, fv), TexelFractionBits);
  const __m256i w11 = _mm256_sub_epi32(_mm256_sub_epi32(_mm256_sub_epi32(one, w00), w01), w10);
  top = _mm256_or_si256(w00, _mm256_slli_epi32(w01, 16));
  bottom = _mm256_or_si256(w10, _mm256_slli_epi32(w11, 16));
}

// A group's texel pairs, pairs[r][h] holding row r's pairs of pixels 4h .. 4h + 3, from the
// element index of each pixel's pair in rows 0 and 1; `last` as for PairGather.
__attribute__((target("avx2"))) inline void GroupPairsGather(const SamplerSetup& sampler,
                                                             const __m256i (&start)[2],
                                                             __m256i last, __m256i (&pairs)[2][2]) {
  const bool anyLast = !_mm256_testz_si256(last, last);
  for (int r = 0; r < 2; ++r) {
    for (int h = 0; h < 2; ++h) {
      const __m128i startHalf =
          h == 0 ? _mm256_castsi256_si128(start[r]) : _mm256_extracti128_si256(start[r], 1);
      const __m128i lastHalf =
          h == 0 ? _mm256_castsi256_si128(last) : _mm256_extracti128_si256(last, 1);
      pairs[r][h] = PairGather(sampler.texels, startHalf, lastHalf, anyLast, sampler.width);
    }
  }
}

// A group's eight pixels blended from their pairs and weights into 32 lanes; `opaque` is ORed
// in.
__attribute__((target("avx2"))) inline void GroupBlend(const __m256i (&pairs)[2][2],
                                                       __m256i topWeights, __m256i bottomWeights,
                                                       __m256i opaque, uint16_t* lanes) {
  for (int h = 0; h < 2; ++h) {
    // Pixels 4h, 4h + 1 and 4h + 2, 4h + 3.
    const __m256i first =
        TwoPixels(_mm256_castsi256_si128(pairs[0][h]), _mm256_castsi256_si128(pairs[1][h]),
                  PairWeights(topWeights, 2 * h), PairWeights(bottomWeights, 2 * h));
    const __m256i second = TwoPixels(
        _mm256_extracti128_si256(pairs[0][h], 1), _mm256_extracti128_si256(pairs[1][h], 1),
        PairWeights(topWeights, 2 * h + 1), PairWeights(bottomWeights, 2 * h + 1));
    const __m256i total =
        _mm256_permute4x64_epi64(_mm256_unpacklo_epi64(first, second), _MM_SHUFFLE(3, 1, 2, 0));
    // From byte * 256 to byte * 257.
    const __m256i result =
        _mm256_or_si256(_mm256_add_epi16(total, _mm256_srli_epi16(total, 8)), opaque);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes + 16 * h), result);
  }
}

}  // namespace

bool BilinearWrappedSampleAvx2Available() {
  static const bool available = __builtin_cpu_supports("avx2");
  return available;
}

__attribute__((target("avx2"))) void BilinearWrappedSampleAvx2(const SamplerSetup& sampler,
                                                               const float* u, float uOffset,
                                                               const float* v, float vOffset,
                                                               int groups, uint16_t* lanes) {
  const float width = static_cast<float>(sampler.width) * FractionOne;
  const float height = static_cast<float>(sampler.height) * FractionOne;
  const float shift = 0.5f * FractionOne;
  const __m256i columnMask = _mm256_set1_epi32(sampler.width - 1);
  const __m256i rowMask = _mm256_set1_epi32(sampler.height - 1);
  const __m256i pitch = _mm256_set1_epi32(sampler.pitch);
  // An X8R8G8B8 texture's alpha is one.
  const __m256i opaque = sampler.alphaFill != 0
                             ? _mm256_set1_epi64x(static_cast<long long>(0xFFFF000000000000ull))
                             : _mm256_setzero_si256();
  for (int i = 0; i < GroupPixels * groups; i += GroupPixels) {
    const __m256i s = TexelCoordinates(u + i, uOffset, width, shift);
    const __m256i t = TexelCoordinates(v + i, vOffset, height, shift);
    const __m256i column = _mm256_and_si256(_mm256_srai_epi32(s, TexelFractionBits), columnMask);
    const __m256i row0 = _mm256_and_si256(_mm256_srai_epi32(t, TexelFractionBits), rowMask);
    const __m256i row1 = _mm256_and_si256(_mm256_add_epi32(row0, _mm256_set1_epi32(1)), rowMask);
    const __m256i start[2] = {_mm256_add_epi32(_mm256_mullo_epi32(row0, pitch), column),
                              _mm256_add_epi32(_mm256_mullo_epi32(row1, pitch), column)};
    __m256i pairs[2][2];
    GroupPairsGather(sampler, start, _mm256_cmpeq_epi32(column, columnMask), pairs);
    __m256i topWeights, bottomWeights;
    BilinearWeights(s, t, topWeights, bottomWeights);
    GroupBlend(pairs, topWeights, bottomWeights, opaque, lanes + 4 * i);
  }
}

#else

bool BilinearWrappedSampleAvx2Available() { return false; }

void BilinearWrappedSampleAvx2(const SamplerSetup&, const float*, float, const float*, float, int,
                               uint16_t*) {}

#endif

}  // namespace d3d8sw
