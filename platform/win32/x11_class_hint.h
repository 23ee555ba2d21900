// The X11 class hint, the nearest thing X has to a Windows window class.
#ifndef VELKOR_PLATFORM_WIN32_X11_CLASS_HINT_H
#define VELKOR_PLATFORM_WIN32_X11_CLASS_HINT_H

#include <SDL.h>

namespace win32sw {

// Names the window's WM_CLASS after its Windows class, so window managers and tools can tell
// the program's windows by class as on Windows. Does nothing where SDL does not use X11.
void X11ClassHintSet(SDL_Window* window, const char* className);

}  // namespace win32sw

#endif
