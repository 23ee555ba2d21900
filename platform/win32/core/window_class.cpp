// RegisterClassExA: classes by name, with the style and procedure windows of the class get.
#include "platform/win32/core/window_class.h"

#include <strings.h>

#include <deque>

namespace win32sw {

namespace {

// A deque keeps each class where it is while more are registered, so windows can point at
// theirs.
std::deque<WindowClass> Classes;

// Windows hands out class atoms from 0xC000 up.
constexpr ATOM FirstClassAtom = 0xC000;

}  // namespace

const WindowClass* WindowClassFind(LPCSTR name) {
  if (!name) return nullptr;
  for (const WindowClass& windowClass : Classes) {
    if (strcasecmp(windowClass.name.c_str(), name) == 0) return &windowClass;
  }
  return nullptr;
}

}  // namespace win32sw

extern "C" ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* description) {
  using namespace win32sw;
  if (!description || description->cbSize != sizeof(WNDCLASSEXA) || !description->lpfnWndProc ||
      !description->lpszClassName || !*description->lpszClassName ||
      WindowClassFind(description->lpszClassName)) {
    return 0;
  }
  Classes.push_back({description->lpszClassName, description->style, description->lpfnWndProc});
  return static_cast<ATOM>(FirstClassAtom + Classes.size() - 1);
}
