#include "platform/win32/core/keyboard.h"

namespace win32sw {

namespace {

// Set-1 scan codes of the letters A to Z.
constexpr BYTE LetterScanCodes[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                      0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                      0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

// In the order of NamedKey.
constexpr KeyCode NamedKeyCodes[] = {
    {VK_ESCAPE, 0x01},
    {VK_BACK, 0x0E},
    {VK_TAB, 0x0F},
    {VK_RETURN, 0x1C},
    {VK_RETURN, KF_EXTENDED | 0x1C},
    {VK_SPACE, 0x39},
    {VK_CAPITAL, 0x3A},
    {VK_F11, 0x57},
    {VK_F12, 0x58},
    {VK_SHIFT, 0x2A},
    {VK_SHIFT, 0x36},
    {VK_CONTROL, 0x1D},
    {VK_CONTROL, KF_EXTENDED | 0x1D},
    {VK_MENU, 0x38},
    {VK_MENU, KF_EXTENDED | 0x38},
    {VK_INSERT, KF_EXTENDED | 0x52},
    {VK_DELETE, KF_EXTENDED | 0x53},
    {VK_HOME, KF_EXTENDED | 0x47},
    {VK_END, KF_EXTENDED | 0x4F},
    {VK_PRIOR, KF_EXTENDED | 0x49},
    {VK_NEXT, KF_EXTENDED | 0x51},
    {VK_LEFT, KF_EXTENDED | 0x4B},
    {VK_RIGHT, KF_EXTENDED | 0x4D},
    {VK_UP, KF_EXTENDED | 0x48},
    {VK_DOWN, KF_EXTENDED | 0x50},
};
static_assert(sizeof(NamedKeyCodes) / sizeof(NamedKeyCodes[0]) ==
              static_cast<size_t>(NamedKey::Down) + 1);

}  // namespace

KeyCode KeyCodeOf(NamedKey key) { return NamedKeyCodes[static_cast<size_t>(key)]; }

KeyCode LetterKey(char letter) {
  return {static_cast<WORD>(letter), LetterScanCodes[letter - 'A']};
}

// The digit row's scan codes run from 0x02 for 1 to 0x0B for 0.
KeyCode DigitKey(char digit) {
  return {static_cast<WORD>(digit), static_cast<WORD>(digit == '0' ? 0x0B : 0x01 + digit - '0')};
}

// F1 to F10 have scan codes in a row from 0x3B; F11 and F12 do not.
KeyCode FunctionKey(int number) {
  return {static_cast<WORD>(VK_F1 + number - 1), static_cast<WORD>(0x3B + number - 1)};
}

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
