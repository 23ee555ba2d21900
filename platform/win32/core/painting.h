// A window's invalid region, shared by painting, showing and SDL's exposure events.
#ifndef VELKOR_PLATFORM_WIN32_PAINTING_H
#define VELKOR_PLATFORM_WIN32_PAINTING_H

#include <windows.h>

#include <algorithm>

#include "platform/win32/core/window.h"

namespace win32sw {

inline bool RectEmpty(const RECT& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

// The smallest rectangle holding both.
inline RECT RectUnion(const RECT& a, const RECT& b) {
  if (RectEmpty(a)) return b;
  if (RectEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// Adds `rect` (null: the whole client area) to the invalid region. Hidden and minimised
// windows have nothing to paint, so they stay valid.
void WindowInvalidate(Window& window, const RECT* rect, bool erase);

// Empties the invalid region.
void WindowValidate(Window& window);

}  // namespace win32sw

#endif
