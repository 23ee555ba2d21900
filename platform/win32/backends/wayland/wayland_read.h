// The wait both of the program's Wayland queues share: the connection's default one, which the
// message loop dispatches, and the presenter's own.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_READ_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_READ_H

#include <wayland-client.h>

namespace win32sw {

// After a prepare-read of either queue: sends what was asked, then reads the connection if
// anything arrives within `timeoutMilliseconds`, or gives the read up. A flush or a read that
// fails leaves its error in the library, for wl_display_get_error to tell.
void WaylandReadPrepared(wl_display* display, int timeoutMilliseconds);

}  // namespace win32sw

#endif
