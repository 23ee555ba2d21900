// What reaches a window, as the X server sees it drawn: the DAMAGE extension reports each
// rectangle a request draws into the window, with the server's time. A present is one request
// and so one report (or a run of them for one request).
#ifndef VELKOR_TESTS_E2E_WINDOW_DAMAGE_H
#define VELKOR_TESTS_E2E_WINDOW_DAMAGE_H

#include <X11/Xlib.h>

#include <chrono>
#include <vector>

struct DamagedFrame {
  unsigned long serverTime = 0;  // milliseconds
  long long area = 0;            // pixels drawn
};

// Watches `window` on `display` from the moment it is made.
class WindowDamage {
 public:
  WindowDamage(Display* display, Window window);
  ~WindowDamage();
  WindowDamage(const WindowDamage&) = delete;
  WindowDamage& operator=(const WindowDamage&) = delete;

  bool Watching() const { return damage_ != 0; }

  // The frames drawn into the window until `count` are in or `patience` has passed.
  std::vector<DamagedFrame> FramesCollect(size_t count, std::chrono::milliseconds patience);

 private:
  Display* display_;
  int eventBase_ = 0;
  unsigned long damage_ = 0;
};

#endif
