// Invalidation and painting: the invalid region, WM_PAINT sent by UpdateWindow, and
// BeginPaint/EndPaint, which validate the window.
#include <algorithm>

#include "platform/win32/core/painting.h"

namespace win32sw {

void WindowInvalidate(Window& window, const RECT* rect, bool erase) {
  if (!window.visible || window.minimised) return;
  const RECT client = WindowClientRect(window);
  RECT added = client;
  if (rect) {
    added = RECT{std::max(rect->left, client.left), std::max(rect->top, client.top),
                 std::min(rect->right, client.right), std::min(rect->bottom, client.bottom)};
  }
  if (RectEmpty(added)) return;
  RECT& update = window.update;
  if (RectEmpty(update)) {
    update = added;
  } else {
    update = RECT{std::min(update.left, added.left), std::min(update.top, added.top),
                  std::max(update.right, added.right), std::max(update.bottom, added.bottom)};
  }
  window.erasePending = window.erasePending || erase;
}

void WindowValidate(Window& window) {
  window.update = RECT{0, 0, 0, 0};
  window.erasePending = false;
}

}  // namespace win32sw

extern "C" BOOL WINAPI InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
  using namespace win32sw;
  // No window: every window.
  if (!handle) {
    for (const auto& window : WindowsLive()) WindowInvalidate(*window, rect, erase);
    return TRUE;
  }
  Window* window = WindowFind(handle);
  if (!window) return FALSE;
  WindowInvalidate(*window, rect, erase);
  return TRUE;
}

extern "C" BOOL WINAPI UpdateWindow(HWND handle) {
  using namespace win32sw;
  const Window* window = WindowFind(handle);
  if (!window) return FALSE;
  if (!RectEmpty(window->update)) SendMessageA(handle, WM_PAINT, 0, 0);
  return TRUE;
}

extern "C" HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
  using namespace win32sw;
  Window* window = WindowFind(handle);
  if (!window || !paint) return nullptr;
  *paint = PAINTSTRUCT{};
  const HDC deviceContext = reinterpret_cast<HDC>(&window->deviceContext);
  paint->hdc = deviceContext;
  paint->rcPaint = window->update;
  const bool erase = window->erasePending;
  WindowValidate(*window);
  // The background still needs erasing when the procedure leaves WM_ERASEBKGND undone.
  if (erase)
    paint->fErase =
        SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(deviceContext), 0) == 0;
  return deviceContext;
}

extern "C" BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }
