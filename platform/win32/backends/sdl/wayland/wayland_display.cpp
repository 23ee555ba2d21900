#include "platform/win32/backends/sdl/wayland/wayland_display.h"

#include <SDL_syswm.h>
#include <wayland-client.h>

#include <cstdio>

#include "platform/win32/core/window.h"

namespace win32sw {

namespace {

wl_display* Watched = nullptr;
bool LossSaid = false;

}  // namespace

void WaylandDisplayWatch(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) return;
  // The first window starts afresh: video may have been stopped and started since the last.
  if (WindowsLive().empty()) LossSaid = false;
  Watched = info.info.wl.display;
}

bool WaylandConnectionLost() {
  // The library keeps the error of the first read or dispatch that failed, whoever made it.
  if (!Watched || wl_display_get_error(Watched) == 0) return false;
  if (!LossSaid) {
    const char* name = SDL_getenv("WAYLAND_DISPLAY");
    std::fprintf(stderr, "Lost the connection to the Wayland display %s\n",
                 name && *name ? name : "wayland-0");
    LossSaid = true;
  }
  return true;
}

}  // namespace win32sw
