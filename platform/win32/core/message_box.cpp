// MessageBoxA: the message goes to standard error always, so it is never lost; a box with one
// OK button shows it too wherever there is a display.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/core/backend.h"
#include "platform/win32/core/window.h"

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  using namespace win32sw;
  // Windows captions a box given no caption "Error".
  if (!caption) caption = "Error";
  if (!text) text = "";
  const std::string line = std::string(caption) + ": " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  // Blocks until dismissed. Should the box fail to show, the message is out already.
  if (BackendOnScreen()) BackendMessageBox(type, caption, text, WindowFind(owner));
  return IDOK;
}
