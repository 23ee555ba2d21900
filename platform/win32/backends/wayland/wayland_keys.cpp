#include "platform/win32/backends/wayland/wayland_keys.h"

namespace win32sw {

namespace {

struct SymbolKey {
  xkb_keysym_t symbol;
  NamedKey key;
};

constexpr SymbolKey SymbolKeys[] = {
    {XKB_KEY_Escape, NamedKey::Escape},
    {XKB_KEY_BackSpace, NamedKey::Backspace},
    {XKB_KEY_Tab, NamedKey::Tab},
    {XKB_KEY_ISO_Left_Tab, NamedKey::Tab},
    {XKB_KEY_Return, NamedKey::Return},
    {XKB_KEY_KP_Enter, NamedKey::NumpadEnter},
    {XKB_KEY_space, NamedKey::Space},
    {XKB_KEY_Caps_Lock, NamedKey::CapsLock},
    {XKB_KEY_F11, NamedKey::F11},
    {XKB_KEY_F12, NamedKey::F12},
    {XKB_KEY_Shift_L, NamedKey::ShiftLeft},
    {XKB_KEY_Shift_R, NamedKey::ShiftRight},
    {XKB_KEY_Control_L, NamedKey::ControlLeft},
    {XKB_KEY_Control_R, NamedKey::ControlRight},
    {XKB_KEY_Alt_L, NamedKey::AltLeft},
    {XKB_KEY_Alt_R, NamedKey::AltRight},
    // The right Alt of the layouts that make it AltGr.
    {XKB_KEY_ISO_Level3_Shift, NamedKey::AltRight},
    {XKB_KEY_Insert, NamedKey::Insert},
    {XKB_KEY_Delete, NamedKey::Delete},
    {XKB_KEY_Home, NamedKey::Home},
    {XKB_KEY_End, NamedKey::End},
    {XKB_KEY_Prior, NamedKey::PageUp},
    {XKB_KEY_Next, NamedKey::PageDown},
    {XKB_KEY_Left, NamedKey::Left},
    {XKB_KEY_Right, NamedKey::Right},
    {XKB_KEY_Up, NamedKey::Up},
    {XKB_KEY_Down, NamedKey::Down},
};

}  // namespace

bool KeyCodeFromSymbol(xkb_keysym_t symbol, KeyCode& code) {
  if (symbol >= XKB_KEY_a && symbol <= XKB_KEY_z) symbol -= XKB_KEY_a - XKB_KEY_A;
  if (symbol >= XKB_KEY_A && symbol <= XKB_KEY_Z) {
    code = LetterKey(static_cast<char>('A' + (symbol - XKB_KEY_A)));
    return true;
  }
  if (symbol >= XKB_KEY_0 && symbol <= XKB_KEY_9) {
    code = DigitKey(static_cast<char>('0' + (symbol - XKB_KEY_0)));
    return true;
  }
  if (symbol >= XKB_KEY_F1 && symbol <= XKB_KEY_F10) {
    code = FunctionKey(1 + static_cast<int>(symbol - XKB_KEY_F1));
    return true;
  }
  for (const SymbolKey& named : SymbolKeys) {
    if (named.symbol == symbol) {
      code = KeyCodeOf(named.key);
      return true;
    }
  }
  return false;
}

}  // namespace win32sw
