#include "platform/win32/backends/sdl/sdl_keys.h"

#include "platform/win32/core/backend.h"

namespace win32sw {

namespace {

struct NamedKey {
  SDL_Scancode sdl;
  KeyCode code;
};

constexpr NamedKey NamedKeys[] = {
    {SDL_SCANCODE_ESCAPE, {VK_ESCAPE, 0x01}},
    {SDL_SCANCODE_BACKSPACE, {VK_BACK, 0x0E}},
    {SDL_SCANCODE_TAB, {VK_TAB, 0x0F}},
    {SDL_SCANCODE_RETURN, {VK_RETURN, 0x1C}},
    {SDL_SCANCODE_KP_ENTER, {VK_RETURN, KF_EXTENDED | 0x1C}},
    {SDL_SCANCODE_SPACE, {VK_SPACE, 0x39}},
    {SDL_SCANCODE_CAPSLOCK, {VK_CAPITAL, 0x3A}},
    {SDL_SCANCODE_F11, {VK_F11, 0x57}},
    {SDL_SCANCODE_F12, {VK_F12, 0x58}},
    {SDL_SCANCODE_LSHIFT, {VK_SHIFT, 0x2A}},
    {SDL_SCANCODE_RSHIFT, {VK_SHIFT, 0x36}},
    {SDL_SCANCODE_LCTRL, {VK_CONTROL, 0x1D}},
    {SDL_SCANCODE_RCTRL, {VK_CONTROL, KF_EXTENDED | 0x1D}},
    {SDL_SCANCODE_LALT, {VK_MENU, 0x38}},
    {SDL_SCANCODE_RALT, {VK_MENU, KF_EXTENDED | 0x38}},
    {SDL_SCANCODE_INSERT, {VK_INSERT, KF_EXTENDED | 0x52}},
    {SDL_SCANCODE_DELETE, {VK_DELETE, KF_EXTENDED | 0x53}},
    {SDL_SCANCODE_HOME, {VK_HOME, KF_EXTENDED | 0x47}},
    {SDL_SCANCODE_END, {VK_END, KF_EXTENDED | 0x4F}},
    {SDL_SCANCODE_PAGEUP, {VK_PRIOR, KF_EXTENDED | 0x49}},
    {SDL_SCANCODE_PAGEDOWN, {VK_NEXT, KF_EXTENDED | 0x51}},
    {SDL_SCANCODE_LEFT, {VK_LEFT, KF_EXTENDED | 0x4B}},
    {SDL_SCANCODE_RIGHT, {VK_RIGHT, KF_EXTENDED | 0x4D}},
    {SDL_SCANCODE_UP, {VK_UP, KF_EXTENDED | 0x48}},
    {SDL_SCANCODE_DOWN, {VK_DOWN, KF_EXTENDED | 0x50}},
};

// The physical key, as a US layout names it.
bool KeyCodeFind(SDL_Scancode scancode, KeyCode& code) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    const int letter = scancode - SDL_SCANCODE_A;
    code = {static_cast<WORD>('A' + letter), LetterScanCodes[letter]};
    return true;
  }
  // SDL numbers the digit row 1 to 9, then 0; so do the scan codes, from 0x02.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0) {
    const int position = scancode - SDL_SCANCODE_1;
    code = {static_cast<WORD>(scancode == SDL_SCANCODE_0 ? '0' : '1' + position),
            static_cast<WORD>(0x02 + position)};
    return true;
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F10) {
    const int number = scancode - SDL_SCANCODE_F1;
    code = {static_cast<WORD>(VK_F1 + number), static_cast<WORD>(0x3B + number)};
    return true;
  }
  for (const NamedKey& named : NamedKeys) {
    if (named.sdl == scancode) {
      code = named.code;
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

KeyModifiers BackendKeyModifiers() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return {};
  const SDL_Keymod held = SDL_GetModState();
  KeyModifiers modifiers;
  modifiers.shift = held & KMOD_SHIFT;
  modifiers.control = held & KMOD_CTRL;
  modifiers.capsLock = held & KMOD_CAPS;
  return modifiers;
}

}  // namespace win32sw
