// The Wayland connection taken away from outside the program: the compositor gone, or dropping
// the connection. SDL answers with a quit request; here the windows are destroyed instead, as
// Windows destroys a window and as a lost X connection is handled, so the program ends through
// its usual path and says why in one line.
#ifndef VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_DISPLAY_H
#define VELKOR_PLATFORM_WIN32_WAYLAND_WAYLAND_DISPLAY_H

#include <SDL.h>

namespace win32sw {

// Watches the connection SDL shows `window` through; nothing when SDL is not on Wayland.
void WaylandDisplayWatch(SDL_Window* window);

// True once the connection watched has failed; the first call to see it says so on standard
// error.
bool WaylandConnectionLost();

}  // namespace win32sw

#endif
