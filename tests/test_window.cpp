#include "test_window.h"

#include <gtest/gtest.h>

namespace {

const char* const ClassName = "VelkorTestWindow";

void ClassRegisterOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = ClassName;
  registered = RegisterClassExA(&windowClass) != 0;
  if (!registered) ADD_FAILURE() << "RegisterClassExA failed";
}

}  // namespace

TestWindow::TestWindow(int width, int height) {
  ClassRegisterOnce();
  handle = CreateWindowExA(0, ClassName, "Velkor test", WS_POPUP, 0, 0, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!handle) ADD_FAILURE() << "CreateWindowExA failed for " << width << " x " << height;
}

TestWindow::~TestWindow() {
  if (handle) DestroyWindow(handle);
}
