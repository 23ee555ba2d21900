// A window for a device to present into: borderless and hidden, so its client area is exactly
// the size asked for on every system and no test flashes a window on the screen.
#ifndef VELKOR_TESTS_TEST_WINDOW_H
#define VELKOR_TESTS_TEST_WINDOW_H

#include <windows.h>

class TestWindow {
 public:
  TestWindow(int width, int height);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle = nullptr;  // null when the window could not be made
};

#endif
