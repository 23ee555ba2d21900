// Showing the software device's frames in a window, through the presenter chosen for it when it
// was made, and waiting for the display's refreshes between them.
#include <cstdio>
#include <utility>

#include "platform/win32/core/painting.h"
#include "platform/win32/core/window.h"
#include "platform/win32/stand_in.h"

namespace win32sw {

namespace {

constexpr int BytesPerPixel = 4;

// What the previous present was given. What a caller reports changed is what changed since its
// previous present, wherever that went: only a presenter given the same pixels last time holds
// the frame the report is about.
struct PresentCall {
  const BackendWindow* shown = nullptr;
  FrameView frame;
};

PresentCall Previous;

bool SameFrame(const PresentCall& a, const PresentCall& b) {
  return a.shown == b.shown && a.frame.pixels == b.frame.pixels && a.frame.width == b.frame.width &&
         a.frame.height == b.frame.height && a.frame.pitch == b.frame.pitch;
}

void FailureSay(Window& window) {
  if (window.presentFailureSaid) return;
  std::fprintf(stderr, "WindowPresent: %s\n", window.shown->Failure().c_str());
  window.presentFailureSaid = true;
}

}  // namespace

bool WindowPresent(HWND handle, const uint32_t* pixels, UINT width, UINT height, INT pitch,
                   const RECT* changed) {
  const PresentCall call{nullptr, FrameView{pixels, width, height, pitch}};
  const PresentCall previous = std::exchange(Previous, call);
  Window* window = WindowFind(handle);
  if (!window || !pixels || static_cast<int64_t>(pitch) < int64_t{BytesPerPixel} * width) {
    return false;
  }
  const RECT client = WindowClientRect(*window);
  if (RectEmpty(client) || width == 0 || height == 0 || WindowGone(*window)) return true;
  BackendWindow& shown = *window->shown;
  Previous.shown = &shown;
  const bool holdsPrevious = SameFrame(previous, Previous);
  if (shown.Present(call.frame, holdsPrevious ? changed : nullptr, client.right, client.bottom)) {
    return true;
  }
  Previous = {};
  // A window destroyed from outside has been reported as such.
  if (WindowGone(*window)) return true;
  FailureSay(*window);
  return false;
}

bool WindowRefreshWait(HWND handle, UINT count) {
  Window* window = WindowFind(handle);
  // A window with nothing on screen is paced by the caller's clock: a display may not count
  // refreshes for it.
  if (!window || !window->visible || RectEmpty(WindowClientRect(*window)) || WindowGone(*window)) {
    return false;
  }
  return window->shown->RefreshWait(count);
}

void WindowPresenterInvalidate(Window& window) {
  if (window.shown) window.shown->Invalidate();
}

}  // namespace win32sw
