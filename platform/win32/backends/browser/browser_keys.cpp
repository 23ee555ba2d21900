#include "platform/win32/backends/browser/browser_keys.h"

#include <cstring>
#include <string>

namespace win32sw {

namespace {

struct DomKey {
  const char* dom;
  NamedKey key;
};

constexpr DomKey DomKeys[] = {
    {"Escape", NamedKey::Escape},
    {"Backspace", NamedKey::Backspace},
    {"Tab", NamedKey::Tab},
    {"Enter", NamedKey::Return},
    {"NumpadEnter", NamedKey::NumpadEnter},
    {"Space", NamedKey::Space},
    {"CapsLock", NamedKey::CapsLock},
    {"F11", NamedKey::F11},
    {"F12", NamedKey::F12},
    {"ShiftLeft", NamedKey::ShiftLeft},
    {"ShiftRight", NamedKey::ShiftRight},
    {"ControlLeft", NamedKey::ControlLeft},
    {"ControlRight", NamedKey::ControlRight},
    {"AltLeft", NamedKey::AltLeft},
    {"AltRight", NamedKey::AltRight},
    {"Insert", NamedKey::Insert},
    {"Delete", NamedKey::Delete},
    {"Home", NamedKey::Home},
    {"End", NamedKey::End},
    {"PageUp", NamedKey::PageUp},
    {"PageDown", NamedKey::PageDown},
    {"ArrowLeft", NamedKey::Left},
    {"ArrowRight", NamedKey::Right},
    {"ArrowUp", NamedKey::Up},
    {"ArrowDown", NamedKey::Down},
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
    key = LetterKey(letter);
    return true;
  }
  if (const char digit = SingleAfter(code, "Digit"); digit >= '0' && digit <= '9') {
    key = DigitKey(digit);
    return true;
  }
  for (int number = 1; number <= 10; ++number) {
    if (code == "F" + std::to_string(number)) {
      key = FunctionKey(number);
      return true;
    }
  }
  for (const DomKey& named : DomKeys) {
    if (std::strcmp(named.dom, code) == 0) {
      key = KeyCodeOf(named.key);
      return true;
    }
  }
  return false;
}

}  // namespace win32sw
