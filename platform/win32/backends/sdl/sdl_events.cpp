#include "platform/win32/backends/sdl/sdl_events.h"

#include <cstdio>

#include "platform/win32/backends/sdl/sdl_backend.h"
#include "platform/win32/backends/sdl/sdl_keys.h"
#include "platform/win32/backends/sdl/sdl_window.h"
#include "platform/win32/backends/sdl/x11/x11_display.h"
#include "platform/win32/core/backend.h"
#include "platform/win32/core/window_events.h"

namespace win32sw {

namespace {

void WindowEventApply(const SDL_WindowEvent& event) {
  Window* window = SdlWindowFind(event.windowID);
  if (!window) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      WindowCloseRequested(*window);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      WindowExposed(*window);
      break;
    case SDL_WINDOWEVENT_SHOWN:
      WindowShownAgain(*window);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      WindowResized(*window, event.data1, event.data2);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      WindowMinimised(*window);
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      WindowRestored(*window);
      break;
    default:
      break;
  }
}

void KeyEventApply(const SDL_KeyboardEvent& event) {
  // SDL names the window with the keyboard focus, and none before the focus comes (a key sent
  // straight to a window, or just after it is mapped again).
  Window* window = SdlWindowFind(event.windowID);
  KeyMessage key;
  if ((window || event.windowID == 0) && KeyMessageFromSdl(event, key)) WindowKey(window, key);
}

}  // namespace

void SdlEventApply(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      WindowEventApply(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      KeyEventApply(event.key);
      break;
    case SDL_SYSWMEVENT:
      X11EventApply(event.syswm.msg);
      break;
    case SDL_QUIT:
      SessionEndRequested();
      break;
    default:
      break;
  }
}

bool SdlDesktop::EventsTake(int timeoutMilliseconds) {
  if (!SDL_WasInit(SDL_INIT_EVENTS)) {
    if (timeoutMilliseconds == 0) return true;  // nothing can have come
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
      std::fprintf(stderr, "GetMessageA: cannot wait for events: %s\n", SDL_GetError());
      return false;
    }
  }
  SDL_Event event;
  bool taken = false;
  while (SDL_PollEvent(&event)) {
    SdlEventApply(event);
    taken = true;
  }
  // SDL's wait answers a timeout and an error alike: either way the caller comes back.
  if (!taken && timeoutMilliseconds > 0 && SDL_WaitEventTimeout(&event, timeoutMilliseconds)) {
    SdlEventApply(event);
  }
  return true;
}

}  // namespace win32sw
