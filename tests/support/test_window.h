// A window for a device to present into, hidden so that no test flashes it on the screen; by
// default borderless, so that its client area is exactly the size asked for on every system.
#ifndef VELKOR_TESTS_SUPPORT_TEST_WINDOW_H
#define VELKOR_TESTS_SUPPORT_TEST_WINDOW_H

#include <windows.h>

class TestWindow {
 public:
  TestWindow(int width, int height, DWORD style = WS_POPUP);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle = nullptr;  // null when the window could not be made
};

#endif
