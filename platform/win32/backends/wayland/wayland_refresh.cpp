#include "platform/win32/backends/wayland/wayland_refresh.h"

namespace win32sw {

namespace {

// How long a refresh may keep the compositor from answering, in refresh periods, before it is
// taken not to be drawing the surface.
constexpr int PeriodsAllowed = 4;
constexpr int UnknownRefreshRate = 60;
// The longest a surface the compositor does not draw waits for its refresh: whatever the
// program keeps time for goes on, at that pace.
constexpr std::chrono::seconds AsleepLongest{1};

}  // namespace

WaylandRefresh::WaylandRefresh(WaylandQueue& queue, wl_surface* surface, int refreshRate)
    : queue_(queue),
      surface_(surface),
      period_(1000 / (refreshRate > 0 ? refreshRate : UnknownRefreshRate) + 1) {}

void WaylandRefresh::Ask() {
  if (pending_) return;
  pending_ = wl_surface_frame(surface_);
  static const wl_callback_listener listener = {Done};
  wl_callback_add_listener(pending_, &listener, this);
  givenUp_ = false;
}

bool WaylandRefresh::Wait(unsigned count, const std::function<bool()>& awake) {
  for (unsigned i = 0; i < count; ++i) {
    if (!pending_) {
      // Nothing new to show: an empty commit asks for the refresh alone.
      Ask();
      wl_surface_commit(surface_);
    }
    if (givenUp_) {
      // Frames nobody sees are not drawn: the program sleeps until the surface is drawn again.
      return queue_.WaitFor([&] { return pending_ == nullptr || awake(); }, AsleepLongest) &&
             !pending_;
    }
    if (!queue_.WaitFor([this] { return pending_ == nullptr; }, PeriodsAllowed * period_)) {
      givenUp_ = pending_ != nullptr;
      return false;
    }
  }
  return true;
}

void WaylandRefresh::Forget() {
  if (pending_) wl_callback_destroy(pending_);
  pending_ = nullptr;
  givenUp_ = false;
}

void WaylandRefresh::Done(void* data, wl_callback* callback, uint32_t) {
  auto& refresh = *static_cast<WaylandRefresh*>(data);
  // The only request with a listener left: Forget destroys the others.
  wl_callback_destroy(callback);
  refresh.pending_ = nullptr;
  refresh.givenUp_ = false;
}

}  // namespace win32sw
