// A window's display refreshes as the X server counts them (the Present extension's MSC, the
// count of vertical retraces of the monitor the window is on).
#ifndef VELKOR_PLATFORM_WIN32_X11_X11_REFRESH_H
#define VELKOR_PLATFORM_WIN32_X11_X11_REFRESH_H

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>

namespace win32sw {

class X11Refresh {
 public:
  // For `window` on `display`; counts nothing where the server has no Present extension.
  X11Refresh(Display* display, ::Window window);

  bool Counted() const { return presentOpcode_ != 0; }

  // Waits for the `count`-th refresh from now. False when the server has not told of one within
  // a few refresh periods (a window it keeps off every monitor, say): the caller keeps time
  // itself then.
  bool Wait(unsigned count);

 private:
  bool NextWait();
  bool CompleteTake();

  Display* display_;
  ::Window window_;
  int presentOpcode_ = 0;
  bool selected_ = false;
  uint32_t serial_ = 0;
  uint64_t lastUst_ = 0;                              // microseconds, of the refresh seen last
  uint64_t lastMsc_ = 0;                              // its count
  std::chrono::microseconds period_{16667};           // between refreshes, as last seen
  std::chrono::steady_clock::time_point lastReturn_;  // from the wait before
};

}  // namespace win32sw

#endif
