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

// The keys of a US keyboard that display systems name, beyond letters, digits and F1 to F10.
enum class NamedKey {
  Escape,
  Backspace,
  Tab,
  Return,
  NumpadEnter,
  Space,
  CapsLock,
  F11,
  F12,
  ShiftLeft,
  ShiftRight,
  ControlLeft,
  ControlRight,
  AltLeft,
  AltRight,
  Insert,
  Delete,
  Home,
  End,
  PageUp,
  PageDown,
  Left,
  Right,
  Up,
  Down,
};
KeyCode KeyCodeOf(NamedKey key);

// The letter `letter` ('A' to 'Z'), the digit `digit` ('0' to '9') of the row above them, and
// the function key F`number` (1 to 10).
KeyCode LetterKey(char letter);
KeyCode DigitKey(char digit);
KeyCode FunctionKey(int number);

}  // namespace win32sw

#endif
