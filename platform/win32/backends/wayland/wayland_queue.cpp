#include "platform/win32/backends/wayland/wayland_queue.h"

#include <algorithm>

#include "platform/win32/backends/wayland/wayland_read.h"

namespace win32sw {

WaylandQueue::WaylandQueue(wl_display* display)
    : display_(display), queue_(wl_display_create_queue(display)) {}

WaylandQueue::~WaylandQueue() { wl_event_queue_destroy(queue_); }

bool WaylandQueue::Roundtrip() { return wl_display_roundtrip_queue(display_, queue_) >= 0; }

bool WaylandQueue::WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    const int wait = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
    if (!DispatchOnce(wait)) return false;
    if (wait == 0) return done();
  }
}

// Whoever reads the connection queues every event where its object belongs: the windows' own go
// to the default queue, for the message loop to dispatch.
bool WaylandQueue::DispatchOnce(int timeoutMilliseconds) {
  if (wl_display_prepare_read_queue(display_, queue_) == 0) {
    WaylandReadPrepared(display_, timeoutMilliseconds);
  }
  wl_display_dispatch_queue_pending(display_, queue_);
  return wl_display_get_error(display_) == 0;
}

}  // namespace win32sw
