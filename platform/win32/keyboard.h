// SDL key events as Windows key messages: virtual-key codes and the lParam bits.
#ifndef VELKOR_PLATFORM_WIN32_KEYBOARD_H
#define VELKOR_PLATFORM_WIN32_KEYBOARD_H

#include <windows.h>

#include <SDL.h>

namespace win32sw {

struct KeyMessage {
  UINT message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
  WPARAM virtualKey = 0;
  LPARAM lParam = 0;
};

// The message a US keyboard under Windows gives for `event`; false for a key this keyboard
// does not have.
bool KeyMessageFromSdl(const SDL_KeyboardEvent& event, KeyMessage& key);

}  // namespace win32sw

#endif
