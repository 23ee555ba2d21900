// An event queue of its own on the Wayland connection, beside the connection's default one. The
// presenter's objects send their events there, so that it can wait for them alone, with a time
// limit, while the window's events wait for the message loop.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_QUEUE_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_WAYLAND_QUEUE_H

#include <wayland-client.h>

#include <chrono>
#include <functional>

namespace win32sw {

class WaylandQueue {
 public:
  explicit WaylandQueue(wl_display* display);
  WaylandQueue(const WaylandQueue&) = delete;
  WaylandQueue& operator=(const WaylandQueue&) = delete;
  // Every proxy made on the queue must be destroyed first.
  ~WaylandQueue();

  wl_display* Display() const { return display_; }

  // A stand-in for `proxy` whose requests make objects on this queue; wl_proxy_wrapper_destroy
  // gives it back.
  template <typename Proxy>
  Proxy* Wrap(Proxy* proxy) const {
    auto* wrapper = static_cast<Proxy*>(wl_proxy_create_wrapper(proxy));
    if (wrapper) wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
    return wrapper;
  }

  // Sends what was asked and waits until the compositor has answered it all.
  bool Roundtrip();

  // Dispatches the queue's events until `done` holds or `timeout` has passed. False when `done`
  // still does not hold (the time is up, or the connection failed).
  bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout);

  // Dispatches what has arrived already, without waiting. False when the connection failed.
  bool DispatchArrived() { return DispatchOnce(0); }

 private:
  bool DispatchOnce(int timeoutMilliseconds);

  wl_display* display_;
  wl_event_queue* queue_;
};

}  // namespace win32sw

#endif
