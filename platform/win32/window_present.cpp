// Showing the software device's frames in a window, through the presenter chosen for it when it
// was made, and waiting for the display's refreshes between them.
#include <cstdio>
#include <utility>

#include "platform/win32/painting.h"
#include "platform/win32/stand_in.h"
#include "platform/win32/surface_presenter.h"
#include "platform/win32/wayland/wayland_presenter.h"
#include "platform/win32/window.h"
#include "platform/win32/x11/x11_presenter.h"

namespace win32sw {

namespace {

constexpr int BytesPerPixel = 4;

// What the previous present was given. What a caller reports changed is what changed since its
// previous present, wherever that went: only a presenter given the same pixels last time holds
// the frame the report is about.
struct PresentCall {
  const Presenter* presenter = nullptr;
  FrameView frame;
};

PresentCall Previous;

// Set once a window turned out to be on a display none of the presenters can show 32-bit
// frames on.
bool DisplayUnshowable = false;

// Whether SDL's surface can take the window's pixels: it knows packed pixels of 15 to 32 bits,
// but not 8-bit colour maps nor 10 bits a channel.
bool SurfaceShows(SDL_Window* window) {
  const Uint32 format = SDL_GetWindowPixelFormat(window);
  return SDL_ISPIXELFORMAT_PACKED(format) && SDL_BITSPERPIXEL(format) >= 15 &&
         format != SDL_PIXELFORMAT_ARGB2101010;
}

bool SameFrame(const PresentCall& a, const PresentCall& b) {
  return a.presenter == b.presenter && a.frame.pixels == b.frame.pixels &&
         a.frame.width == b.frame.width && a.frame.height == b.frame.height &&
         a.frame.pitch == b.frame.pitch;
}

void FailureSay(Window& window) {
  if (window.presentFailureSaid) return;
  std::fprintf(stderr, "WindowPresent: %s\n", window.presenter->Failure().c_str());
  window.presentFailureSaid = true;
}

// Where the X server lacks what the X11 presenter needs: SDL's window surface, if it can take
// the window's pixels.
std::unique_ptr<Presenter> X11FallbackChoose(SDL_Window* window, const std::string& refusal) {
  if (SurfaceShows(window)) {
    std::fprintf(stderr, "Frames reach the window through SDL's window surface: %s\n",
                 refusal.c_str());
  } else {
    // Left to fail where Windows fails on such a display: when the device is made for it.
    std::fprintf(stderr, "No frame can reach a window on this display: %s\n", refusal.c_str());
    DisplayUnshowable = true;
  }
  return SurfacePresenterCreate(window);
}

}  // namespace

std::unique_ptr<Presenter> PresenterChoose(SDL_Window* window) {
  std::string refusal;
  if (auto presenter = X11PresenterCreate(window, refusal)) return presenter;
  if (!refusal.empty()) return X11FallbackChoose(window, refusal);
  if (auto presenter = WaylandPresenterCreate(window, refusal)) return presenter;
  if (!refusal.empty()) {
    // SDL's window surface needs OpenGL on Wayland: nothing else could show the window.
    std::fprintf(stderr, "No way to show a window on this Wayland compositor: %s\n",
                 refusal.c_str());
    return nullptr;
  }
  return SurfacePresenterCreate(window);
}

bool PresentersShowDisplay() { return !DisplayUnshowable; }

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
  Presenter& presenter = *window->presenter;
  Previous.presenter = &presenter;
  const bool holdsPrevious = SameFrame(previous, Previous);
  if (presenter.Present(call.frame, holdsPrevious ? changed : nullptr, client.right,
                        client.bottom)) {
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
  return window->presenter->RefreshWait(count);
}

void WindowPresenterInvalidate(Window& window) {
  if (window.presenter) window.presenter->Invalidate();
}

}  // namespace win32sw
