// The unit the per-pixel passes work on: up to 256 pixels of one triangle, each pass running
// over all of them before the next, so that every loop is a plain array loop in vector code and
// the chunk's arrays stay in the first-level cache.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_PIXEL_CHUNK_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_PIXEL_CHUNK_H

#include <d3d8.h>

#include <cstdint>

namespace d3d8sw {

constexpr int ChunkPixels = 256;

// The passes run over whole groups of 16 pixels, so that their loops have no remainder to
// handle; a chunk's values past its last pixel are computed, stay within the arrays and go
// unused.
constexpr int GroupPixels = 16;
inline int GroupCount(int pixels) { return (pixels + GroupPixels - 1) / GroupPixels; }

// Colours travel as 16-bit channels, each the channel times 65535 (byte value k is k * 257), two
// to a 32-bit word: blue in the low half and red in the high half of a colour's first plane,
// green and alpha in its second. One mask takes those pairs out of a 0xAARRGGBB texel.
constexpr uint32_t LaneOne = 65535;
constexpr uint32_t ChannelPairMask = 0x00FF00FF;

// A colour: both planes of each pixel's channels.
using ChunkColour = uint32_t[2][ChunkPixels];

// A D3DCOLOR as the two planes of one pixel.
inline void PlanesFromColour(uint32_t colour, uint32_t planes[2]) {
  planes[0] = (colour & ChannelPairMask) * 257;
  planes[1] = ((colour >> 8) & ChannelPairMask) * 257;
}

// A run of a chunk's pixels that lie on one row: pixels first .. first + count - 1 of the
// chunk are pixels x .. x + count - 1 of the row, whose colour and depth (null when the span is
// not depth tested) the target handed out for the span.
struct ChunkSpan {
  uint32_t* colour;
  BYTE* depth;
  int x, first, count;
};

// Pixels of one triangle, from one or more of its spans.
struct PixelChunk {
  int count = 0;  // pixels in use, 0 to ChunkPixels
  int spanCount = 0;
  ChunkSpan spans[ChunkPixels];
  // Each pixel's position; the pixels past `count` up to the end of its group repeat the last.
  // Room for one more group lets spans be queued a whole group at a time.
  alignas(64) float x[ChunkPixels + GroupPixels];
  alignas(64) float y[ChunkPixels + GroupPixels];
  alignas(64) float u[ChunkPixels];
  alignas(64) float v[ChunkPixels];
  alignas(64) float depth[ChunkPixels];  // Zs
  alignas(64) ChunkColour diffuse;
  alignas(64) ChunkColour specular;
  alignas(64) ChunkColour texture;           // the sample of the stage being combined
  alignas(64) ChunkColour current;           // the result of the stages so far
  alignas(64) uint8_t covered[ChunkPixels];  // 1 where the depth test passed
};

}  // namespace d3d8sw

#endif
