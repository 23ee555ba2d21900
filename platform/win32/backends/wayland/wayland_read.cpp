#include "platform/win32/backends/wayland/wayland_read.h"

#include <poll.h>

#include <cerrno>

namespace win32sw {

bool WaylandReadPrepared(wl_display* display, int timeoutMilliseconds) {
  // A connection that failed to flush shows as the read fails.
  wl_display_flush(display);
  pollfd connection{wl_display_get_fd(display), POLLIN, 0};
  const int ready = poll(&connection, 1, timeoutMilliseconds);
  if (ready <= 0) {
    wl_display_cancel_read(display);
    return ready == 0 || errno == EINTR;
  }
  return wl_display_read_events(display) >= 0;
}

}  // namespace win32sw
