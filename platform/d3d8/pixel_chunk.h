// The unit the per-pixel passes work on: up to 256 pixels of one triangle, each pass running
// over all of them before the next, so that every loop is a plain array loop in vector code.
#ifndef VELKOR_PLATFORM_D3D8_PIXEL_CHUNK_H
#define VELKOR_PLATFORM_D3D8_PIXEL_CHUNK_H

#include <cstdint>

// The per-pixel passes are built twice, for AVX2 and for the baseline processor, and the
// loader picks the one this processor runs; elsewhere they are built once.
#if defined(__x86_64__) && defined(__GNUC__) && defined(__linux__)
#define D3D8SW_PIXEL_PASS __attribute__((target_clones("avx2", "default")))
#else
#define D3D8SW_PIXEL_PASS
#endif

namespace d3d8sw {

constexpr int ChunkPixels = 256;
constexpr int ChunkLanes = 4 * ChunkPixels;

// The passes run over whole groups of 8 pixels, so that their loops have no remainder to
// handle; a chunk's values past its last pixel are computed, stay within the arrays and go
// unused.
constexpr int GroupPixels = 8;
constexpr int GroupLanes = 4 * GroupPixels;
inline int GroupCount(int pixels) { return (pixels + GroupPixels - 1) / GroupPixels; }

// Colours travel as four 16-bit lanes a pixel, in the order of a pixel's bytes in memory
// (b, g, r, a); a lane holds the channel times 65535, so byte value k is k * 257.
constexpr uint32_t LaneOne = 65535;

// A D3DCOLOR as the four lanes of one pixel.
inline void LanesFromColour(uint32_t colour, uint16_t lanes[4]) {
  for (int i = 0; i < 4; ++i) lanes[i] = static_cast<uint16_t>(((colour >> (8 * i)) & 0xFF) * 257);
}

// A run of a chunk's pixels that lie on one row: pixels first .. first + count - 1 of the
// chunk are pixels x .. x + count - 1 of row y.
struct ChunkSpan {
  int y, x, first, count;
};

// Pixels of one triangle, from one or more of its spans.
struct PixelChunk {
  int count = 0;  // pixels in use, 0 to ChunkPixels
  int spanCount = 0;
  ChunkSpan spans[ChunkPixels];
  // Each pixel's position; the pixels past `count` up to the end of its group repeat the last.
  // Room for one more group lets spans be queued a whole group at a time.
  alignas(32) float x[ChunkPixels + GroupPixels];
  alignas(32) float y[ChunkPixels + GroupPixels];
  alignas(32) float u[ChunkPixels];
  alignas(32) float v[ChunkPixels];
  alignas(32) float depth[ChunkPixels];  // Zs
  alignas(32) uint16_t diffuse[ChunkLanes];
  alignas(32) uint16_t specular[ChunkLanes];
  alignas(32) uint16_t texture[ChunkLanes];  // the sample of the stage being combined
  alignas(32) uint16_t current[ChunkLanes];  // the result of the stages so far
  alignas(32) uint8_t covered[ChunkPixels];  // 1 where the depth test passed
};

}  // namespace d3d8sw

#endif
