#include "platform/win32/backends/wayland/wayland_read.h"

#include <poll.h>

namespace win32sw {

void WaylandReadPrepared(wl_display* display, int timeoutMilliseconds) {
  wl_display_flush(display);
  pollfd connection{wl_display_get_fd(display), POLLIN, 0};
  if (poll(&connection, 1, timeoutMilliseconds) > 0) {
    wl_display_read_events(display);
  } else {
    wl_display_cancel_read(display);
  }
}

}  // namespace win32sw
