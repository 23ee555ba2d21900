// What a Wayland compositor offers, as its registry announces it.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_GLOBALS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_GLOBALS_H

#include <wayland-client.h>

#include <cstdint>
#include <functional>

#include "platform/win32/backends/wayland/wayland_queue.h"

namespace win32sw {

// Calls `offered` for each global the compositor announces, through a registry on `queue`, in
// one round trip; `offered` may bind the global, at up to the version given, through the registry
// it is given. False when the connection failed.
using WaylandGlobalOffered = std::function<void(wl_registry* registry, uint32_t name,
                                                const char* interface, uint32_t version)>;
bool WaylandGlobalsEach(WaylandQueue& queue, const WaylandGlobalOffered& offered);

}  // namespace win32sw

#endif
