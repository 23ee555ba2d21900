// What the software Direct3D 8 device asks of the display and of its window, short of
// presenting.
#include <cstdio>

#include "platform/win32/presenter.h"
#include "platform/win32/stand_in.h"
#include "platform/win32/video.h"
#include "platform/win32/window.h"

namespace win32sw {

namespace {

UINT DepthOf(Uint32 format) {
  switch (format) {
    case SDL_PIXELFORMAT_RGB555:
      return 15;
    case SDL_PIXELFORMAT_RGB565:
      return 16;
    case SDL_PIXELFORMAT_ARGB2101010:
      return 30;
    default:
      return SDL_BITSPERPIXEL(format) <= 8 ? 8 : 24;
  }
}

}  // namespace

bool DisplayModeQuery(DisplayModeInfo& mode) {
  if (!VideoStart()) return false;
  SDL_DisplayMode current;
  // The default adapter is SDL's first display.
  if (SDL_GetCurrentDisplayMode(0, &current) != 0) {
    std::fprintf(stderr, "DisplayModeQuery: %s\n", SDL_GetError());
    return false;
  }
  mode.width = static_cast<UINT>(current.w);
  mode.height = static_cast<UINT>(current.h);
  mode.refreshRate = current.refresh_rate > 0 ? static_cast<UINT>(current.refresh_rate) : 0;
  mode.framesShown = PresentersShowDisplay();
  mode.depth = DepthOf(current.format);
  return true;
}

bool WindowFullScreen(HWND handle, UINT width, UINT height) {
  Window* window = WindowFind(handle);
  if (!window) return false;
  // A display that has the mode switches to it; one that has not keeps its own and the
  // window covers it, the frames stretched to fit.
  Uint32 fullScreen = SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_DisplayMode wanted{};
  wanted.w = static_cast<int>(width);
  wanted.h = static_cast<int>(height);
  SDL_DisplayMode closest;
  const int display = SDL_GetWindowDisplayIndex(window->sdlWindow);
  if (display >= 0 && SDL_GetClosestDisplayMode(display, &wanted, &closest) &&
      closest.w == wanted.w && closest.h == wanted.h &&
      SDL_SetWindowDisplayMode(window->sdlWindow, &closest) == 0) {
    fullScreen = SDL_WINDOW_FULLSCREEN;
  }
  if (SDL_SetWindowFullscreen(window->sdlWindow, fullScreen) != 0) {
    std::fprintf(stderr, "WindowFullScreen: %s\n", SDL_GetError());
    return false;
  }
  int clientWidth = 0, clientHeight = 0;
  SDL_GetWindowSize(window->sdlWindow, &clientWidth, &clientHeight);
  window->clientWidth = clientWidth;
  window->clientHeight = clientHeight;
  return true;
}

}  // namespace win32sw
