// The depth test, done in the depth buffer's own format.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_DEPTH_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_DEPTH_H

#include <d3d8.h>

#include <cstdint>

#include "platform/d3d8/pipeline/pixel/pixel_chunk.h"

namespace d3d8sw {

struct DepthSetup {
  bool enabled = false;  // ZENABLE with a depth buffer to test against
  DWORD function = D3DCMP_LESSEQUAL;
  bool write = true;
  D3DFORMAT format = D3DFMT_UNKNOWN;
};

// Zs in [0, 1] as the format stores it (D16: 16 bits, D24X8: the low 24, D32: all 32).
uint32_t DepthInFormat(float z, D3DFORMAT format);

// Tests the chunk's pixels against the depth rows of its spans, setting chunk.covered, and
// writes the depth of those that pass when writing is on.
void DepthTestChunk(const DepthSetup& setup, PixelChunk& chunk);

}  // namespace d3d8sw

#endif
