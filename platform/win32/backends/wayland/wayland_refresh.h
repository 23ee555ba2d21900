// A surface's refreshes as the Wayland compositor tells them: a frame callback asked for with a
// commit is done when the compositor draws the surface with it, at most once per refresh of the
// output the surface is on.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_REFRESH_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_REFRESH_H

#include <wayland-client.h>

#include <chrono>
#include <functional>

#include "platform/win32/backends/wayland/wayland_queue.h"

namespace win32sw {

class WaylandRefresh {
 public:
  // For `surface`, a wrapper on `queue`, on an output refreshing `refreshRate` times a second
  // (0: unknown).
  WaylandRefresh(WaylandQueue& queue, wl_surface* surface, int refreshRate);
  WaylandRefresh(const WaylandRefresh&) = delete;
  WaylandRefresh& operator=(const WaylandRefresh&) = delete;
  ~WaylandRefresh() { Forget(); }

  // Asks to be told of the refresh that shows the next commit, unless an earlier request is
  // still unanswered: the compositor answers it with the same drawing.
  void Ask();

  // Waits for the `count`-th refresh from now. False when the compositor has not drawn the
  // surface within a few refresh periods (hidden, minimised, on no output). While it still has
  // not, the wait is for its next drawing, a second at most, and ends sooner once `awake` holds
  // (something came that the program must answer), then false too.
  bool Wait(unsigned count, const std::function<bool()>& awake);

  // The surface was shown anew: a request made while it was not may never be answered.
  void Forget();

 private:
  static void Done(void* data, wl_callback* callback, uint32_t milliseconds);

  WaylandQueue& queue_;
  wl_surface* surface_;
  std::chrono::milliseconds period_;
  wl_callback* pending_ = nullptr;  // the unanswered request, if any
  bool givenUp_ = false;            // it was waited for in vain
};

}  // namespace win32sw

#endif
