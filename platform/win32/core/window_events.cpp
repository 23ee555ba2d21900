#include "platform/win32/core/window_events.h"

#include "platform/win32/core/message_queue.h"
#include "platform/win32/core/painting.h"
#include "platform/win32/core/window.h"

namespace win32sw {

void WindowCloseRequested(Window& window) {
  MessagePost(WindowHandle(window), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SessionEndRequested() {
  for (const auto& window : WindowsLive()) WindowCloseRequested(*window);
}

void WindowExposed(Window& window) {
  WindowPresenterInvalidate(window);
  WindowInvalidate(window, nullptr, true);
}

void WindowShownAgain(Window& window) { WindowPresenterInvalidate(window); }

void WindowResized(Window& window, LONG clientWidth, LONG clientHeight) {
  window.clientWidth = clientWidth;
  window.clientHeight = clientHeight;
  WindowInvalidate(window, nullptr, true);
}

void WindowMinimised(Window& window) {
  window.minimised = true;
  WindowValidate(window);
}

void WindowRestored(Window& window) {
  window.minimised = false;
  WindowPresenterInvalidate(window);
  WindowInvalidate(window, nullptr, true);
}

void WindowKey(Window* window, const KeyMessage& key) {
  const auto& live = WindowsLive();
  if (!window && live.size() == 1) window = live.front().get();
  if (window) MessageInput(WindowHandle(*window), key.message, key.virtualKey, key.lParam);
}

}  // namespace win32sw
