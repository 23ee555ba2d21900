#include "platform/d3d8/pipeline/pixel/depth.h"

namespace d3d8sw {

namespace {

bool DepthPasses(DWORD function, uint32_t incoming, uint32_t stored) {
  switch (function) {
    case D3DCMP_NEVER:
      return false;
    case D3DCMP_LESS:
      return incoming < stored;
    case D3DCMP_EQUAL:
      return incoming == stored;
    case D3DCMP_LESSEQUAL:
      return incoming <= stored;
    case D3DCMP_GREATER:
      return incoming > stored;
    case D3DCMP_NOTEQUAL:
      return incoming != stored;
    case D3DCMP_GREATEREQUAL:
      return incoming >= stored;
    default:
      return true;  // D3DCMP_ALWAYS
  }
}

template <typename Stored>
void DepthTestSpan(const DepthSetup& setup, const ChunkSpan& span, Stored* row, PixelChunk& chunk) {
  for (int i = span.first; i < span.first + span.count; ++i) {
    const uint32_t incoming = DepthInFormat(chunk.depth[i], setup.format);
    Stored& stored = row[span.x + i - span.first];
    const bool passes = DepthPasses(setup.function, incoming, stored);
    chunk.covered[i] = passes;
    if (passes && setup.write) stored = static_cast<Stored>(incoming);
  }
}

}  // namespace

uint32_t DepthInFormat(float z, D3DFORMAT format) {
  const double clamped = z < 0.0f ? 0.0 : (z > 1.0f ? 1.0 : static_cast<double>(z));
  switch (format) {
    case D3DFMT_D16:
      return static_cast<uint32_t>(clamped * 65535.0 + 0.5);
    case D3DFMT_D24X8:
      return static_cast<uint32_t>(clamped * 16777215.0 + 0.5);
    default:  // D3DFMT_D32
      return static_cast<uint32_t>(clamped * 4294967295.0 + 0.5);
  }
}

void DepthTestChunk(const DepthSetup& setup, PixelChunk& chunk) {
  for (int s = 0; s < chunk.spanCount; ++s) {
    const ChunkSpan& span = chunk.spans[s];
    if (setup.format == D3DFMT_D16) {
      DepthTestSpan(setup, span, reinterpret_cast<uint16_t*>(span.depth), chunk);
    } else {
      // D24X8 keeps its unused top byte zero, so whole words compare like the 24 bits.
      DepthTestSpan(setup, span, reinterpret_cast<uint32_t*>(span.depth), chunk);
    }
  }
}

}  // namespace d3d8sw
