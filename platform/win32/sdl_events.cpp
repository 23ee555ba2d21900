#include "platform/win32/sdl_events.h"

#include "platform/win32/keyboard.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/painting.h"
#include "platform/win32/window.h"
#include "platform/win32/x11/x11_display.h"

namespace win32sw {

namespace {

// A close request from the window manager is what a click on the close button is on Windows:
// a posted WM_SYSCOMMAND/SC_CLOSE, left to the program to act on.
void CloseRequest(Window& window) { MessagePost(WindowHandle(window), WM_SYSCOMMAND, SC_CLOSE, 0); }

void WindowEventApply(const SDL_WindowEvent& event) {
  Window* window = WindowFindSdl(event.windowID);
  if (!window) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      CloseRequest(*window);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      WindowPresenterInvalidate(*window);
      WindowInvalidate(*window, nullptr, true);
      break;
    case SDL_WINDOWEVENT_SHOWN:
      // ShowWindow has asked for the paint already; what was on screen is gone.
      WindowPresenterInvalidate(*window);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      window->clientWidth = event.data1;
      window->clientHeight = event.data2;
      WindowInvalidate(*window, nullptr, true);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      // An iconic window has no client area, so there is nothing to paint until it returns.
      window->minimised = true;
      WindowValidate(*window);
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      window->minimised = false;
      WindowPresenterInvalidate(*window);
      WindowInvalidate(*window, nullptr, true);
      break;
    default:
      break;
  }
}

// SDL names the window with the keyboard focus, and none before the focus comes (a key sent
// straight to a window, or just after it is mapped again): such a key is for the program's
// only window.
Window* KeyWindow(Uint32 sdlWindowId) {
  if (Window* window = WindowFindSdl(sdlWindowId)) return window;
  const auto& live = WindowsLive();
  return sdlWindowId == 0 && live.size() == 1 ? live.front().get() : nullptr;
}

void KeyEventApply(const SDL_KeyboardEvent& event) {
  Window* window = KeyWindow(event.windowID);
  KeyMessage key;
  if (window && KeyMessageFromSdl(event, key)) {
    MessageInput(WindowHandle(*window), key.message, key.virtualKey, key.lParam);
  }
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
      // The session asks the whole program to end: every window gets the close request.
      for (const auto& window : WindowsLive()) CloseRequest(*window);
      break;
    default:
      break;
  }
}

}  // namespace win32sw
