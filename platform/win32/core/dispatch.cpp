// DispatchMessageA and SendMessageA: a message handed straight to its window's procedure.
#include "platform/win32/core/painting.h"
#include "platform/win32/core/window.h"
#include "platform/win32/core/window_class.h"

extern "C" LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  const win32sw::Window* window = win32sw::WindowFind(handle);
  if (!window) return 0;
  return window->windowClass->procedure(handle, message, wParam, lParam);
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* message) {
  using namespace win32sw;
  if (!message || !WindowFind(message->hwnd)) return 0;
  const LRESULT result =
      SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
  // A procedure that ignores WM_PAINT would be asked again at once, for ever; Windows
  // validates the window for it.
  if (message->message == WM_PAINT) {
    if (Window* window = WindowFind(message->hwnd)) WindowValidate(*window);
  }
  return result;
}
