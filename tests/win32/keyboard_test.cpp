// SDL key events as Windows key messages.
#include <gtest/gtest.h>

#include "platform/win32/backends/sdl/sdl_keys.h"

namespace {

using win32sw::KeyMessage;

KeyMessage Key(Uint32 type, SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE, Uint8 repeat = 0) {
  SDL_KeyboardEvent event{};
  event.type = type;
  event.repeat = repeat;
  event.keysym.scancode = scancode;
  event.keysym.mod = modifiers;
  KeyMessage key;
  EXPECT_TRUE(win32sw::KeyMessageFromSdl(event, key)) << scancode;
  return key;
}

TEST(KeyboardTest, LParamCarriesScanCodeExtensionAndTransition) {
  KeyMessage zero = Key(SDL_KEYDOWN, SDL_SCANCODE_0);
  EXPECT_EQ(zero.message, WM_KEYDOWN);
  EXPECT_EQ(zero.virtualKey, WPARAM{'0'}) << "SDL numbers the digit row from 1";
  EXPECT_EQ(zero.lParam, 0x000B0001);
  EXPECT_EQ(Key(SDL_KEYDOWN, SDL_SCANCODE_LEFT).lParam, 0x014B0001) << "an extended key";
  EXPECT_EQ(Key(SDL_KEYDOWN, SDL_SCANCODE_A, KMOD_NONE, 1).lParam, 0x401E0001) << "a repeat";
  KeyMessage up = Key(SDL_KEYUP, SDL_SCANCODE_A);
  EXPECT_EQ(up.message, WM_KEYUP);
  EXPECT_EQ(static_cast<DWORD>(up.lParam), 0xC01E0001u);
}

TEST(KeyboardTest, AltAndF10MakeSystemKeys) {
  KeyMessage altF4 = Key(SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT);
  EXPECT_EQ(altF4.message, WM_SYSKEYDOWN);
  EXPECT_EQ(altF4.lParam, 0x203E0001) << "context bit: Alt is down";

  KeyMessage alt = Key(SDL_KEYDOWN, SDL_SCANCODE_LALT, KMOD_LALT);
  EXPECT_EQ(alt.message, WM_SYSKEYDOWN);
  EXPECT_EQ(alt.virtualKey, WPARAM{VK_MENU});
  EXPECT_EQ(Key(SDL_KEYUP, SDL_SCANCODE_LALT).message, WM_SYSKEYUP);

  KeyMessage f10 = Key(SDL_KEYDOWN, SDL_SCANCODE_F10);
  EXPECT_EQ(f10.message, WM_SYSKEYDOWN);
  EXPECT_EQ(f10.lParam, 0x00440001) << "no Alt, no context bit";
  EXPECT_EQ(Key(SDL_KEYUP, SDL_SCANCODE_F10).message, WM_SYSKEYUP);

  EXPECT_EQ(Key(SDL_KEYDOWN, SDL_SCANCODE_Q, KMOD_LALT | KMOD_LCTRL).message, WM_KEYDOWN)
      << "Ctrl+Alt is AltGr, not a system key";
}

}  // namespace
