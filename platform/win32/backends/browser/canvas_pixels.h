// Frames in the byte order of a canvas's ImageData: red, green, blue, alpha. The device's
// 0x00RRGGBB words hold blue, green, red and an unused byte, in that order in memory.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_CANVAS_PIXELS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_BROWSER_CANVAS_PIXELS_H

#include <windows.h>

#include <cstdint>

#include "platform/win32/core/backend.h"

namespace win32sw {

// Converts the pixels of `frame` inside `area` (within the frame) into `canvas`, a frame of the
// same size, opaque; the pixels outside `area` are left as they are. An area with no width or
// no height converts nothing.
void CanvasPixelsConvert(const FrameView& frame, const RECT& area, uint32_t* canvas);

}  // namespace win32sw

#endif
