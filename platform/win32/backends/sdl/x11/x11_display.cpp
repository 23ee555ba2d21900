#include "platform/win32/backends/sdl/x11/x11_display.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdio>

#include "platform/win32/backends/sdl/sdl_window.h"
#include "platform/win32/backends/sdl/x11/x11_presenter.h"

namespace win32sw {

namespace {

// X_SendEvent's number; Xproto.h, which names it, has a BOOL of its own that collides with
// Windows'.
constexpr int SendEventRequest = 25;

bool ConnectionLost = false;
bool WindowTakenAway = false;

::Window X11WindowOf(const Window& window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window.shown || !SDL_GetWindowWMInfo(SdlWindowOf(window).sdl, &info) ||
      info.subsystem != SDL_SYSWM_X11) {
    return 0;
  }
  return info.info.x11.window;
}

Window* Ours(::Window id) {
  for (const auto& window : WindowsLive()) {
    if (id != 0 && X11WindowOf(*window) == id) return window.get();
  }
  return nullptr;
}

void DestroyedNote(Window& window, ::Window id) {
  SdlWindow& shown = SdlWindowOf(window);
  if (shown.destroyedOutside) return;
  shown.destroyedOutside = true;
  WindowTakenAway = true;
  std::fprintf(stderr, "The window 0x%lx was destroyed by another program\n", id);
}

// Called from inside Xlib, so it calls nothing of Xlib's. Requests on a window another client
// destroyed fail until the destruction is seen; any other error is reported and survived, as
// Windows survives a bad call.
int ErrorHandle(Display*, XErrorEvent* error) {
  if (X11PresenterErrorTake(error->request_code)) return 0;
  const bool windowGone = error->error_code == BadWindow || error->error_code == BadDrawable;
  Window* window = windowGone ? Ours(error->resourceid) : nullptr;
  if (window) {
    DestroyedNote(*window, error->resourceid);
  } else if (windowGone && error->request_code == SendEventRequest) {
    // SDL wakes its own wait for events with an event sent to the window, over a connection
    // of its own: one sent as the program destroys the window may arrive after it.
  } else {
    std::fprintf(stderr, "X error %d on request %d.%d\n", error->error_code, error->request_code,
                 error->minor_code);
  }
  return 0;
}

// The default handler writes several lines; the one that counts is written by the exit
// handler below.
int IoErrorHandle(Display*) { return 0; }

// Returning, instead of exiting as Xlib's default does, leaves the connection marked broken:
// every later Xlib call on it returns at once, so the windows can be destroyed as usual.
void IoErrorExit(Display* display, void*) {
  if (ConnectionLost) return;
  ConnectionLost = true;
  std::fprintf(stderr, "Lost the connection to the X display %s\n", DisplayString(display));
}

}  // namespace

void X11ErrorsWatch() {
  XSetErrorHandler(ErrorHandle);
  XSetIOErrorHandler(IoErrorHandle);
}

void X11DisplayWatch(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  // The first window starts afresh: video may have been stopped and started since the last.
  if (WindowsLive().empty()) ConnectionLost = WindowTakenAway = false;
  X11ErrorsWatch();
  XSetIOErrorExitHandler(info.info.x11.display, IoErrorExit, nullptr);
  // A destruction seen while nothing is drawn (minimised, say) would otherwise go unnoticed.
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void X11EventApply(const SDL_SysWMmsg* message) {
  if (!message || message->subsystem != SDL_SYSWM_X11) return;
  const XEvent& event = message->msg.x11.event;
  if (event.type != DestroyNotify) return;
  if (Window* window = Ours(event.xdestroywindow.window)) {
    DestroyedNote(*window, event.xdestroywindow.window);
  }
}

bool X11WindowGone(const SdlWindow& window) { return ConnectionLost || window.destroyedOutside; }

bool X11TakenAway() { return ConnectionLost || WindowTakenAway; }

}  // namespace win32sw
