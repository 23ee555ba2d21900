// Windows taken away from outside the program on X11: the server gone, or another client
// destroying a window. Xlib's answer to either is to end the process on the spot with code 1,
// skipping the program's own shutdown; here the windows are destroyed instead, as Windows
// destroys a window, so the program ends through its usual path.
#ifndef VELKOR_PLATFORM_WIN32_X11_DISPLAY_H
#define VELKOR_PLATFORM_WIN32_X11_DISPLAY_H

#include <SDL.h>

// SDL_syswm.h is kept out: it brings Xlib's own Window into every file including this one.
struct SDL_SysWMmsg;

namespace win32sw {

class SdlWindow;

// Handles X errors the program's way from now on. Called before SDL opens the display: SDL
// puts back the handlers it found when it closes it, and errors still on their way then (on
// its second connection, say) would meet Xlib's, which end the process with code 1.
void X11ErrorsWatch();

// Watches the display SDL shows `window` on; nothing when SDL is not on X11.
void X11DisplayWatch(SDL_Window* window);

// Takes note of an X event SDL passes on as SDL_SYSWMEVENT.
void X11EventApply(const SDL_SysWMmsg* message);

// True once `window` can no longer be shown: it was destroyed from outside, or the connection
// to the server is gone.
bool X11WindowGone(const SdlWindow& window);

// True once anything was taken away. SDL must then not be asked to tear down what is gone: it
// would wait for the server to unmap a window that no longer exists, or on a dead connection.
bool X11TakenAway();

}  // namespace win32sw

#endif
