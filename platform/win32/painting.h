// A window's invalid region, shared by painting, showing and SDL's exposure events.
#ifndef VELKOR_PLATFORM_WIN32_PAINTING_H
#define VELKOR_PLATFORM_WIN32_PAINTING_H

#include <windows.h>

#include "platform/win32/window.h"

namespace win32sw {

inline bool RectEmpty(const RECT& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

// Adds `rect` (null: the whole client area) to the invalid region. Hidden and minimised
// windows have nothing to paint, so they stay valid.
void WindowInvalidate(Window& window, const RECT* rect, bool erase);

// Empties the invalid region.
void WindowValidate(Window& window);

}  // namespace win32sw

#endif
