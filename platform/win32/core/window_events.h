// What a back end reports of its display, turned into what Windows makes of the same
// happenings: messages queued, the window's state kept in step.
#ifndef VELKOR_PLATFORM_WIN32_CORE_WINDOW_EVENTS_H
#define VELKOR_PLATFORM_WIN32_CORE_WINDOW_EVENTS_H

#include <windows.h>

#include "platform/win32/core/keyboard.h"

namespace win32sw {

struct Window;

// The window manager's close (its close button, its key): what a click on the close button is
// on Windows, a posted WM_SYSCOMMAND/SC_CLOSE left to the program to act on.
void WindowCloseRequested(Window& window);

// The session asks the whole program to end: every window gets the close request.
void SessionEndRequested();

// What was on screen is gone: the next present sends the whole frame and the window repaints.
void WindowExposed(Window& window);

// The window appeared again; ShowWindow has asked for its paint already.
void WindowShownAgain(Window& window);

void WindowResized(Window& window, LONG clientWidth, LONG clientHeight);

// An iconic window has no client area, and nothing to paint until it returns.
void WindowMinimised(Window& window);

// Back from minimised or maximised: all of it to show and paint.
void WindowRestored(Window& window);

// A key for `window`, or, with no window named (a key that came before the focus did), for the
// program's only window.
void WindowKey(Window* window, const KeyMessage& key);

}  // namespace win32sw

#endif
