// What a Wayland compositor offers, as its registry announces it.
#ifndef VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_GLOBALS_H
#define VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_GLOBALS_H

#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/wayland/wayland_queue.h"

namespace win32sw {

// Calls `offered` for each global the compositor announces, through a registry on `queue`, in
// one round trip; `offered` may bind the global through the registry it is given. False when
// the connection failed.
using WaylandGlobalOffered =
    std::function<void(wl_registry* registry, uint32_t name, const char* interface)>;
bool WaylandGlobalsEach(WaylandQueue& queue, const WaylandGlobalOffered& offered);

// What the compositor WAYLAND_DISPLAY names lacks of what the program needs there, asked on a
// connection of the program's own: "no seat (wl_seat)", say. Empty when it has it all, or when
// it cannot be reached (the caller's own attempt to open it says so).
std::string WaylandCompositorLacks();

}  // namespace win32sw

#endif
