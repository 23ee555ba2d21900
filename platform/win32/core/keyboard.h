// Key messages as Windows makes them: virtual-key codes and the lParam bits, from a key a
// display system names by its place on the keyboard.
#ifndef VELKOR_PLATFORM_WIN32_CORE_KEYBOARD_H
#define VELKOR_PLATFORM_WIN32_CORE_KEYBOARD_H

#include <windows.h>

namespace win32sw {

// A physical key as a US layout under Windows names it.
struct KeyCode {
  WORD virtualKey = 0;
  WORD scanCode = 0;  // set 1; with KF_EXTENDED for the keys that send an E0 prefix
};

struct KeyMessage {
  UINT message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
  WPARAM virtualKey = 0;
  LPARAM lParam = 0;
};

// A press (`down`) or release of `code`; `repeat` for a press of a key held down. `alt` and
// `control` are the modifiers held, this key's own counted.
KeyMessage KeyMessageMake(const KeyCode& code, bool down, bool repeat, bool alt, bool control);

// Set-1 scan codes of the letters A to Z.
inline constexpr BYTE LetterScanCodes[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                             0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                             0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

}  // namespace win32sw

#endif
