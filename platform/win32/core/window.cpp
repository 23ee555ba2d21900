// Windows: creation, showing, the client rectangle and destruction, each window made real on
// the display by the back end, as a window the size of its client area.
#include "platform/win32/core/window.h"

#include <algorithm>
#include <cstdio>

#include "platform/win32/core/backend.h"
#include "platform/win32/core/message_queue.h"
#include "platform/win32/core/painting.h"
#include "platform/win32/core/window_class.h"

namespace win32sw {

namespace {

std::vector<std::unique_ptr<Window>> Windows;

}  // namespace

const std::vector<std::unique_ptr<Window>>& WindowsLive() { return Windows; }

Window* WindowFind(HWND handle) {
  for (const auto& window : Windows) {
    if (WindowHandle(*window) == handle) return window.get();
  }
  return nullptr;
}

RECT WindowClientRect(const Window& window) {
  if (window.minimised) return RECT{0, 0, 0, 0};
  return RECT{0, 0, window.clientWidth, window.clientHeight};
}

namespace {

// The window record for a frame of `width` by `height` at `x`, `y`, made real on the display.
// Null, said on standard error, when it cannot be.
std::unique_ptr<Window> WindowOpen(const WindowClass* windowClass, LPCSTR title, DWORD style, int x,
                                   int y, int width, int height) {
  auto window = std::make_unique<Window>();
  window->windowClass = windowClass;
  window->style = style;
  // The position and size given are the outer frame's; the display's window is the client
  // area. Overlapped windows always have a caption; a pop-up has a frame only when it asks for
  // one.
  const bool framed = !(style & WS_POPUP) || (style & (WS_CAPTION | WS_THICKFRAME));
  const int side = framed ? FrameSide : 0, top = framed ? FrameTop : 0;
  window->clientWidth = std::max(0, width - 2 * side);
  window->clientHeight = std::max(0, height - top - side);
  WindowPlacement placement;
  placement.title = title ? title : "";
  // As on Windows, CW_USEDEFAULT for x leaves the whole position to the system.
  placement.placedBySystem = x == CW_USEDEFAULT;
  placement.x = x + side;
  placement.y = y + top;
  placement.clientWidth = window->clientWidth;
  placement.clientHeight = window->clientHeight;
  placement.resizable = style & WS_THICKFRAME;
  window->shown = BackendWindowCreate(*window, placement);
  if (!window->shown) return nullptr;
  return window;
}

}  // namespace

}  // namespace win32sw

extern "C" HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style,
                                       int x, int y, int width, int height, HWND parent, HMENU menu,
                                       HINSTANCE instance, LPVOID parameter) {
  using namespace win32sw;
  const WindowClass* windowClass = WindowClassFind(className);
  // Top-level windows only: nothing here draws child windows. The first window names the class
  // the display gives every window; a program's main window is almost always its first.
  if (!windowClass || parent || !BackendStart(windowClass->name.c_str())) return nullptr;
  auto window = WindowOpen(windowClass, title, style, x, y, width, height);
  if (!window) return nullptr;
  const HWND handle = WindowHandle(*window);
  Windows.push_back(std::move(window));

  CREATESTRUCTA creation{
      parameter, instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
      title,     className, exStyle};
  const LPARAM creationParameter = reinterpret_cast<LPARAM>(&creation);
  // A procedure refuses its window by answering WM_NCCREATE with FALSE or WM_CREATE with -1.
  if (!SendMessageA(handle, WM_NCCREATE, 0, creationParameter) ||
      SendMessageA(handle, WM_CREATE, 0, creationParameter) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!WindowFind(handle)) return nullptr;  // destroyed by its own procedure meanwhile
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return handle;
}

extern "C" BOOL WINAPI ShowWindow(HWND handle, int command) {
  using namespace win32sw;
  Window* window = WindowFind(handle);
  if (!window) return FALSE;
  const BOOL wasVisible = window->visible;
  if (command == SW_HIDE) {
    if (window->visible) window->shown->Hide();
    window->visible = false;
    WindowValidate(*window);
  } else if (!window->visible) {
    window->shown->Show();
    window->visible = true;
    // A window that appears has everything to paint, background included.
    WindowInvalidate(*window, nullptr, true);
  }
  return wasVisible;
}

extern "C" BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
  using namespace win32sw;
  const Window* window = WindowFind(handle);
  if (!window || !rect) return FALSE;
  *rect = WindowClientRect(*window);
  return TRUE;
}

extern "C" BOOL WINAPI DestroyWindow(HWND handle) {
  using namespace win32sw;
  Window* window = WindowFind(handle);
  if (!window || window->destroying) return FALSE;
  window->destroying = true;
  window->visible = false;
  WindowValidate(*window);
  SendMessageA(handle, WM_DESTROY, 0, 0);
  SendMessageA(handle, WM_NCDESTROY, 0, 0);
  MessagesForget(handle);
  window->shown.reset();
  Windows.erase(std::find_if(Windows.begin(), Windows.end(),
                             [window](const auto& live) { return live.get() == window; }));
  return TRUE;
}
