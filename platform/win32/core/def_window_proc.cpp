// DefWindowProcA: the default handling of closing, Alt+F4 and painting.
#include <windows.h>

#include "platform/win32/core/window.h"
#include "platform/win32/core/window_class.h"

extern "C" LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_SYSCOMMAND:
      // The low four bits are the system's own. SC_KEYMENU (F10, Alt alone) would enter the
      // menu; with no menu to enter it does nothing, and so does every other command here.
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(handle, WM_CLOSE, 0, 0);
      return 0;
    case WM_SYSKEYDOWN: {
      const win32sw::Window* window = win32sw::WindowFind(handle);
      const bool altDown = (lParam >> 16) & KF_ALTDOWN;
      if (window && wParam == VK_F4 && altDown && !(window->windowClass->style & CS_NOCLOSE)) {
        PostMessageA(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(handle, &paint);
      EndPaint(handle, &paint);
      return 0;
    }
    default:
      return 0;
  }
}
