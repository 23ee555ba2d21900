#include "platform/win32/backends/sdl/x11/x11_refresh.h"

#include <X11/extensions/Xpresent.h>
#include <poll.h>

#include <algorithm>

#include "platform/win32/backends/sdl/x11/x11_display.h"

namespace win32sw {

namespace {

// How long a refresh may keep the server waiting for its notice, in refresh periods, before the
// display is taken not to be counting for this window.
constexpr int PeriodsAllowed = 4;

struct CompleteWanted {
  int opcode;
  ::Window window;
};

Bool IsComplete(Display*, XEvent* event, XPointer wanted) {
  const auto& want = *reinterpret_cast<const CompleteWanted*>(wanted);
  return event->type == GenericEvent && event->xgeneric.extension == want.opcode &&
         event->xgeneric.evtype == PresentCompleteNotify;
}

}  // namespace

X11Refresh::X11Refresh(Display* display, ::Window window) : display_(display), window_(window) {
  int event = 0, error = 0;
  if (!XPresentQueryExtension(display, &presentOpcode_, &event, &error)) presentOpcode_ = 0;
}

bool X11Refresh::Wait(unsigned count) {
  if (!Counted() || X11TakenAway()) return false;
  if (!selected_) {
    XPresentSelectInput(display_, window_, PresentCompleteNotifyMask);
    selected_ = true;
  }
  for (unsigned i = 0; i < count; ++i) {
    if (!NextWait()) return false;
  }
  // After a frame that came late, the next refresh is close: the display would take both frames
  // in one refresh, so the next one is waited for too.
  if (std::chrono::steady_clock::now() - lastReturn_ < period_ / 2 && !NextWait()) return false;
  lastReturn_ = std::chrono::steady_clock::now();
  return true;
}

// Asks to be told of the next refresh and waits for the notice. The server answers requests in
// order, so once the notice is in, everything sent before it has been done.
bool X11Refresh::NextWait() {
  ++serial_;
  // Target 0 is past: the server picks the next refresh whose count divides by 1.
  XPresentNotifyMSC(display_, window_, serial_, 0, 1, 0);
  XFlush(display_);
  const auto deadline = std::chrono::steady_clock::now() + PeriodsAllowed * period_;
  for (;;) {
    if (CompleteTake()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || X11TakenAway()) return false;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()) + 1);
    XEventsQueued(display_, QueuedAfterReading);
  }
}

// Takes the notices queued for this window; true once the one asked for last is among them.
// Other events stay queued for SDL.
bool X11Refresh::CompleteTake() {
  CompleteWanted wanted{presentOpcode_, window_};
  XEvent event;
  bool latest = false;
  while (XCheckIfEvent(display_, &event, IsComplete, reinterpret_cast<XPointer>(&wanted))) {
    if (!XGetEventData(display_, &event.xcookie)) continue;
    const auto* complete = static_cast<const XPresentCompleteNotifyEvent*>(event.xcookie.data);
    if (complete->window == window_ && complete->serial_number == serial_) {
      if (lastMsc_ != 0 && complete->msc > lastMsc_ && complete->ust > lastUst_) {
        const auto period = (complete->ust - lastUst_) / (complete->msc - lastMsc_);
        period_ = std::clamp(std::chrono::microseconds(period), std::chrono::microseconds(2000),
                             std::chrono::microseconds(100000));
      }
      lastUst_ = complete->ust;
      lastMsc_ = complete->msc;
      latest = true;
    }
    XFreeEventData(display_, &event.xcookie);
  }
  return latest;
}

}  // namespace win32sw
