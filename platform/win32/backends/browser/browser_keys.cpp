#include "platform/win32/backends/browser/browser_keys.h"

#include <cstring>
#include <string>

namespace win32sw {

namespace {

struct NamedKey {
  const char* dom;
  KeyCode code;
};

constexpr NamedKey NamedKeys[] = {
    {"Escape", {VK_ESCAPE, 0x01}},
    {"Backspace", {VK_BACK, 0x0E}},
    {"Tab", {VK_TAB, 0x0F}},
    {"Enter", {VK_RETURN, 0x1C}},
    {"NumpadEnter", {VK_RETURN, KF_EXTENDED | 0x1C}},
    {"Space", {VK_SPACE, 0x39}},
    {"CapsLock", {VK_CAPITAL, 0x3A}},
    {"F11", {VK_F11, 0x57}},
    {"F12", {VK_F12, 0x58}},
    {"ShiftLeft", {VK_SHIFT, 0x2A}},
    {"ShiftRight", {VK_SHIFT, 0x36}},
    {"ControlLeft", {VK_CONTROL, 0x1D}},
    {"ControlRight", {VK_CONTROL, KF_EXTENDED | 0x1D}},
    {"AltLeft", {VK_MENU, 0x38}},
    {"AltRight", {VK_MENU, KF_EXTENDED | 0x38}},
    {"Insert", {VK_INSERT, KF_EXTENDED | 0x52}},
    {"Delete", {VK_DELETE, KF_EXTENDED | 0x53}},
    {"Home", {VK_HOME, KF_EXTENDED | 0x47}},
    {"End", {VK_END, KF_EXTENDED | 0x4F}},
    {"PageUp", {VK_PRIOR, KF_EXTENDED | 0x49}},
    {"PageDown", {VK_NEXT, KF_EXTENDED | 0x51}},
    {"ArrowLeft", {VK_LEFT, KF_EXTENDED | 0x4B}},
    {"ArrowRight", {VK_RIGHT, KF_EXTENDED | 0x4D}},
    {"ArrowUp", {VK_UP, KF_EXTENDED | 0x48}},
    {"ArrowDown", {VK_DOWN, KF_EXTENDED | 0x50}},
};

// The character after `prefix` in `code` when nothing follows it, or 0.
char SingleAfter(const char* code, const char* prefix) {
  const size_t length = std::strlen(prefix);
  return std::strncmp(code, prefix, length) == 0 && code[length] && !code[length + 1] ? code[length]
                                                                                      : 0;
}

}  // namespace

bool KeyCodeFromDom(const char* code, KeyCode& key) {
  if (const char letter = SingleAfter(code, "Key"); letter >= 'A' && letter <= 'Z') {
    key = {static_cast<WORD>(letter), LetterScanCodes[letter - 'A']};
    return true;
  }
  // The digit row's scan codes run from 0x02 for 1 to 0x0B for 0.
  if (const char digit = SingleAfter(code, "Digit"); digit >= '0' && digit <= '9') {
    key = {static_cast<WORD>(digit), static_cast<WORD>(digit == '0' ? 0x0B : 0x01 + digit - '0')};
    return true;
  }
  // F1 to F10 have scan codes in a row from 0x3B; F11 and F12 do not.
  for (int number = 1; number <= 10; ++number) {
    if (code == "F" + std::to_string(number)) {
      key = {static_cast<WORD>(VK_F1 + number - 1), static_cast<WORD>(0x3B + number - 1)};
      return true;
    }
  }
  for (const NamedKey& named : NamedKeys) {
    if (std::strcmp(named.dom, code) == 0) {
      key = named.code;
      return true;
    }
  }
  return false;
}

}  // namespace win32sw
