// What a Wayland compositor offers, as its registry announces it.
#ifndef VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_GLOBALS_H
#define VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_GLOBALS_H

#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/backends/sdl/wayland/wayland_queue.h"

namespace win32sw {

// Calls `offered` for each global the compositor announces, through a registry on `queue`, in
// one round trip; `offered` may bind the global through the registry it is given. False when
// the connection failed.
using WaylandGlobalOffered =
    std::function<void(wl_registry* registry, uint32_t name, const char* interface)>;
bool WaylandGlobalsEach(WaylandQueue& queue, const WaylandGlobalOffered& offered);

// What the compositor WAYLAND_DISPLAY names offers, asked on a connection of the program's own.
struct WaylandCompositorOffer {
  bool reached = false;
  // What it lacks of what the program needs there ("no seat (wl_seat)", say); empty when it
  // has it all.
  std::string lacks;
  // Whether it draws title bars for the windows that ask (zxdg_decoration_manager_v1).
  bool decorates = false;
};
WaylandCompositorOffer WaylandCompositorAsk();

}  // namespace win32sw

#endif
