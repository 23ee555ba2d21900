#include "window_damage.h"

#include <X11/extensions/Xdamage.h>
#include <poll.h>

WindowDamage::WindowDamage(Display* display, Window window) : display_(display) {
  int errorBase = 0;
  if (!XDamageQueryExtension(display, &eventBase_, &errorBase)) return;
  damage_ = XDamageCreate(display, window, XDamageReportRawRectangles);
  XSync(display, False);
}

WindowDamage::~WindowDamage() {
  if (damage_) XDamageDestroy(display_, damage_);
  XSync(display_, False);
}

std::vector<DamagedFrame> WindowDamage::FramesCollect(size_t count,
                                                      std::chrono::milliseconds patience) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + patience;
  std::vector<DamagedFrame> frames;
  DamagedFrame frame;
  while (frames.size() < count && Clock::now() < end) {
    if (!XPending(display_)) {
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, 10);
      continue;
    }
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type != eventBase_ + XDamageNotify) continue;
    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
    frame.area += static_cast<long long>(damage.area.width) * damage.area.height;
    frame.serverTime = damage.timestamp;
    // The last report of one request.
    if (!damage.more) {
      frames.push_back(frame);
      frame = {};
    }
  }
  return frames;
}
