#include "platform/win32/backends/browser/canvas_pixels.h"

#include <cstring>

namespace win32sw {

namespace {

// Four pixels' bytes: one WebAssembly SIMD register, whose byte shuffle reorders them at once.
typedef uint8_t PixelBytes __attribute__((vector_size(16)));
constexpr int VectorPixels = sizeof(PixelBytes) / 4;

uint32_t PixelConvert(uint32_t pixel) {
  return 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

}  // namespace

void CanvasPixelsConvert(const FrameView& frame, const RECT& area, uint32_t* canvas) {
  const auto* rows = reinterpret_cast<const uint8_t*>(frame.pixels);
  const PixelBytes opaque = {0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF};
  for (LONG y = area.top; y < area.bottom; ++y) {
    const auto* from =
        reinterpret_cast<const uint32_t*>(rows + static_cast<ptrdiff_t>(y) * frame.pitch);
    uint32_t* to = canvas + static_cast<ptrdiff_t>(y) * frame.width;
    LONG x = area.left;
    for (; x + VectorPixels <= area.right; x += VectorPixels) {
      PixelBytes bytes;
      std::memcpy(&bytes, from + x, sizeof bytes);
      // Blue, green, red, unused to red, green, blue, opaque.
      bytes = __builtin_shufflevector(bytes, bytes, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13,
                                      12, 15) |
              opaque;
      std::memcpy(to + x, &bytes, sizeof bytes);
    }
    for (; x < area.right; ++x) to[x] = PixelConvert(from[x]);
  }
}

}  // namespace win32sw
