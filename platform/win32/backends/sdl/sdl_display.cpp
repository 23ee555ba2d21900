// The mode of SDL's display, as the device's adapter reports it.
#include <SDL.h>

#include <cstdio>

#include "platform/win32/backends/sdl/presenter.h"
#include "platform/win32/backends/sdl/sdl_backend.h"
#include "platform/win32/core/backend.h"

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

bool SdlDesktop::DisplayMode(DisplayModeInfo& mode) {
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

}  // namespace win32sw
