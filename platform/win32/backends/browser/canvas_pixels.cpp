#include "platform/win32/backends/browser/canvas_pixels.h"

namespace win32sw {

void CanvasPixelsConvert(const FrameView& frame, const RECT& area, uint32_t* canvas) {
  const auto* rows = reinterpret_cast<const uint8_t*>(frame.pixels);
  for (LONG y = area.top; y < area.bottom; ++y) {
    const auto* from =
        reinterpret_cast<const uint32_t*>(rows + static_cast<ptrdiff_t>(y) * frame.pitch);
    uint32_t* to = canvas + static_cast<ptrdiff_t>(y) * frame.width;
    // Red and blue trade places; a plain loop, which the compiler turns into vector code.
    for (LONG x = area.left; x < area.right; ++x) {
      const uint32_t pixel = from[x];
      to[x] = 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
    }
  }
}

}  // namespace win32sw
