// Registered window classes.
#ifndef VELKOR_PLATFORM_WIN32_WINDOW_CLASS_H
#define VELKOR_PLATFORM_WIN32_WINDOW_CLASS_H

#include <windows.h>

#include <string>

namespace win32sw {

struct WindowClass {
  std::string name;
  UINT style = 0;
  WNDPROC procedure = nullptr;
};

// The class registered under `name` (compared without regard to case, as Windows does), or
// null.
const WindowClass* WindowClassFind(LPCSTR name);

}  // namespace win32sw

#endif
