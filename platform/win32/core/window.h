// The stand-in's window records. An HWND points at one of them; every handle that comes in
// is looked up first, so a stale or foreign handle is refused instead of followed.
#ifndef VELKOR_PLATFORM_WIN32_CORE_WINDOW_H
#define VELKOR_PLATFORM_WIN32_CORE_WINDOW_H

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/win32/core/backend.h"

namespace win32sw {

struct WindowClass;

struct Window {
  const WindowClass* windowClass = nullptr;
  DWORD style = 0;
  LONG clientWidth = 0;
  LONG clientHeight = 0;
  bool visible = false;
  bool minimised = false;
  bool destroying = false;
  // Bounding box of the invalid region; empty when the window is valid.
  RECT update{};
  bool erasePending = false;
  std::unique_ptr<BackendWindow> shown;  // the window on the display
  bool presentFailureSaid = false;  // a failure to show a frame is written to standard error once
  // What the window's HDC points at: one per window, as CS_OWNDC gives.
  struct DeviceContext {
  } deviceContext;
};

// The Windows 10 frame at 96 DPI around the client area: 8 pixels on each side, a 31-pixel
// caption band (23 of caption over the 8 of frame) at the top.
constexpr int FrameSide = 8;
constexpr int FrameTop = 31;

// The live windows, oldest first.
const std::vector<std::unique_ptr<Window>>& WindowsLive();

// The live window `handle` names, or null.
Window* WindowFind(HWND handle);

inline HWND WindowHandle(Window& window) { return reinterpret_cast<HWND>(&window); }

// The client rectangle: empty while minimised, as on Windows.
RECT WindowClientRect(const Window& window);

// True once the window can no longer be shown: taken away from outside, through the display
// system it is on.
inline bool WindowGone(const Window& window) { return window.shown->Gone(); }

// The window's contents were lost: the next frame shown goes to the whole client area.
void WindowPresenterInvalidate(Window& window);

}  // namespace win32sw

#endif
