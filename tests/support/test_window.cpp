#include "support/test_window.h"

namespace {

const char* const ClassName = "VelkorTestWindow";

bool ClassRegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ClassName;
    return RegisterClassExA(&windowClass) != 0;
  }();
  return registered;
}

}  // namespace

TestWindow::TestWindow(int width, int height, DWORD style) {
  if (!ClassRegisterOnce()) return;
  handle = CreateWindowExA(0, ClassName, "Velkor test", style, 0, 0, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() {
  if (handle) DestroyWindow(handle);
}
