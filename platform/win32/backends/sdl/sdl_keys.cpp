#include "platform/win32/backends/sdl/sdl_keys.h"

#include "platform/win32/backends/sdl/sdl_backend.h"

namespace win32sw {

namespace {

struct SdlKey {
  SDL_Scancode sdl;
  NamedKey key;
};

constexpr SdlKey SdlKeys[] = {
    {SDL_SCANCODE_ESCAPE, NamedKey::Escape},
    {SDL_SCANCODE_BACKSPACE, NamedKey::Backspace},
    {SDL_SCANCODE_TAB, NamedKey::Tab},
    {SDL_SCANCODE_RETURN, NamedKey::Return},
    {SDL_SCANCODE_KP_ENTER, NamedKey::NumpadEnter},
    {SDL_SCANCODE_SPACE, NamedKey::Space},
    {SDL_SCANCODE_CAPSLOCK, NamedKey::CapsLock},
    {SDL_SCANCODE_F11, NamedKey::F11},
    {SDL_SCANCODE_F12, NamedKey::F12},
    {SDL_SCANCODE_LSHIFT, NamedKey::ShiftLeft},
    {SDL_SCANCODE_RSHIFT, NamedKey::ShiftRight},
    {SDL_SCANCODE_LCTRL, NamedKey::ControlLeft},
    {SDL_SCANCODE_RCTRL, NamedKey::ControlRight},
    {SDL_SCANCODE_LALT, NamedKey::AltLeft},
    {SDL_SCANCODE_RALT, NamedKey::AltRight},
    {SDL_SCANCODE_INSERT, NamedKey::Insert},
    {SDL_SCANCODE_DELETE, NamedKey::Delete},
    {SDL_SCANCODE_HOME, NamedKey::Home},
    {SDL_SCANCODE_END, NamedKey::End},
    {SDL_SCANCODE_PAGEUP, NamedKey::PageUp},
    {SDL_SCANCODE_PAGEDOWN, NamedKey::PageDown},
    {SDL_SCANCODE_LEFT, NamedKey::Left},
    {SDL_SCANCODE_RIGHT, NamedKey::Right},
    {SDL_SCANCODE_UP, NamedKey::Up},
    {SDL_SCANCODE_DOWN, NamedKey::Down},
};

// The physical key, as a US layout names it.
bool KeyCodeFind(SDL_Scancode scancode, KeyCode& code) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    code = LetterKey(static_cast<char>('A' + (scancode - SDL_SCANCODE_A)));
    return true;
  }
  // SDL numbers the digit row 1 to 9, then 0.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0) {
    code = DigitKey(
        scancode == SDL_SCANCODE_0 ? '0' : static_cast<char>('1' + (scancode - SDL_SCANCODE_1)));
    return true;
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F10) {
    code = FunctionKey(1 + (scancode - SDL_SCANCODE_F1));
    return true;
  }
  for (const SdlKey& named : SdlKeys) {
    if (named.sdl == scancode) {
      code = KeyCodeOf(named.key);
      return true;
    }
  }
  return false;
}

}  // namespace

bool KeyMessageFromSdl(const SDL_KeyboardEvent& event, KeyMessage& key) {
  KeyCode code;
  if (!KeyCodeFind(event.keysym.scancode, code)) return false;
  // SDL's modifier state already counts this event's own key.
  key = KeyMessageMake(code, event.type == SDL_KEYDOWN, event.repeat != 0,
                       event.keysym.mod & KMOD_ALT, event.keysym.mod & KMOD_CTRL);
  return true;
}

KeyModifiers SdlDesktop::Modifiers() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return {};
  const SDL_Keymod held = SDL_GetModState();
  KeyModifiers modifiers;
  modifiers.shift = held & KMOD_SHIFT;
  modifiers.control = held & KMOD_CTRL;
  modifiers.capsLock = held & KMOD_CAPS;
  return modifiers;
}

}  // namespace win32sw
