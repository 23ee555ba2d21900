// Which presenter shows a window's frames: the display system's own where it has what that
// needs, SDL's window surface otherwise.
#include <cstdio>

#include "platform/win32/backends/sdl/presenter.h"
#include "platform/win32/backends/sdl/surface_presenter.h"
#include "platform/win32/backends/sdl/x11/x11_presenter.h"

namespace win32sw {

namespace {

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
  return SurfacePresenterCreate(window);
}

bool PresentersShowDisplay() { return !DisplayUnshowable; }

}  // namespace win32sw
