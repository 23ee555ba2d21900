#include "platform/win32/x11_class_hint.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <string>

namespace win32sw {

void X11ClassHintSet(SDL_Window* window, const char* className) {
  SDL_SysWMinfo system;
  SDL_VERSION(&system.version);
  if (!SDL_GetWindowWMInfo(window, &system) || system.subsystem != SDL_SYSWM_X11) return;
  // Xlib takes the names as modifiable strings.
  std::string name = className;
  XClassHint hint{name.data(), name.data()};
  XSetClassHint(system.info.x11.display, system.info.x11.window, &hint);
  XFlush(system.info.x11.display);
}

}  // namespace win32sw
