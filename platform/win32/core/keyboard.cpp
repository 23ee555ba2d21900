#include "platform/win32/core/keyboard.h"

namespace win32sw {

KeyMessage KeyMessageMake(const KeyCode& code, bool down, bool repeat, bool alt, bool control) {
  // As Windows does: Alt itself, keys pressed with Alt (but not with Ctrl, which makes AltGr),
  // and F10 are system keys.
  const bool altKey = code.virtualKey == VK_MENU;
  const bool system = code.virtualKey == VK_F10 || ((altKey || alt) && !control);
  KeyMessage key;
  key.message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  key.virtualKey = code.virtualKey;
  DWORD flags = code.scanCode;
  if (alt) flags |= KF_ALTDOWN;
  if (!down || repeat) flags |= KF_REPEAT;  // the key was down before this message
  if (!down) flags |= KF_UP;
  constexpr DWORD RepeatCount = 1;
  key.lParam = static_cast<LPARAM>((flags << 16) | RepeatCount);
  return key;
}

}  // namespace win32sw
