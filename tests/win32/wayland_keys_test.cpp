// Keys as a Wayland keyboard's keymap names them (XKB symbols) as Windows names them under a US
// layout: a key is known by its symbol, so a keyboard that places its keys anywhere (a virtual
// one with a keymap of its own) still sends the keys it means.
#include <gtest/gtest.h>

#include <utility>

#include "platform/win32/backends/wayland/wayland_keys.h"

namespace {

using Codes = std::pair<WORD, WORD>;

// The virtual key and the scan code (with KF_EXTENDED) of `symbol`.
Codes Key(xkb_keysym_t symbol) {
  win32sw::KeyCode key;
  EXPECT_TRUE(win32sw::KeyCodeFromSymbol(symbol, key)) << symbol;
  return {key.virtualKey, key.scanCode};
}

TEST(WaylandKeysTest, LettersAreTheirKeysInEitherCase) {
  EXPECT_EQ(Key(XKB_KEY_a), Codes('A', 0x1E));
  EXPECT_EQ(Key(XKB_KEY_A), Codes('A', 0x1E));
  EXPECT_EQ(Key(XKB_KEY_q), Codes('Q', 0x10));
  EXPECT_EQ(Key(XKB_KEY_z), Codes('Z', 0x2C));
  EXPECT_EQ(Key(XKB_KEY_Z), Codes('Z', 0x2C));
}

TEST(WaylandKeysTest, DigitsAndFunctionKeysKeepTheirRows) {
  EXPECT_EQ(Key(XKB_KEY_1), Codes('1', 0x02));
  EXPECT_EQ(Key(XKB_KEY_0), Codes('0', 0x0B));
  EXPECT_EQ(Key(XKB_KEY_F1), Codes(VK_F1, 0x3B));
  EXPECT_EQ(Key(XKB_KEY_F10), Codes(VK_F10, 0x44));
  EXPECT_EQ(Key(XKB_KEY_F11), Codes(VK_F11, 0x57));
}

TEST(WaylandKeysTest, TheProgramsKeysAndTheExtendedOnes) {
  EXPECT_EQ(Key(XKB_KEY_Escape), Codes(VK_ESCAPE, 0x01));
  EXPECT_EQ(Key(XKB_KEY_F4), Codes(VK_F4, 0x3E));
  EXPECT_EQ(Key(XKB_KEY_Alt_L), Codes(VK_MENU, 0x38));
  EXPECT_EQ(Key(XKB_KEY_Alt_R), Codes(VK_MENU, KF_EXTENDED | 0x38));
  EXPECT_EQ(Key(XKB_KEY_ISO_Level3_Shift), Codes(VK_MENU, KF_EXTENDED | 0x38))
      << "the right Alt where the layout makes it AltGr";
  EXPECT_EQ(Key(XKB_KEY_Return), Codes(VK_RETURN, 0x1C));
  EXPECT_EQ(Key(XKB_KEY_KP_Enter), Codes(VK_RETURN, KF_EXTENDED | 0x1C));
  EXPECT_EQ(Key(XKB_KEY_ISO_Left_Tab), Codes(VK_TAB, 0x0F)) << "Shift+Tab's own symbol";
  EXPECT_EQ(Key(XKB_KEY_Up), Codes(VK_UP, KF_EXTENDED | 0x48));
  EXPECT_EQ(Key(XKB_KEY_Next), Codes(VK_NEXT, KF_EXTENDED | 0x51));
}

TEST(WaylandKeysTest, SymbolsOfNoUsKeyAreNotKeys) {
  win32sw::KeyCode key;
  EXPECT_FALSE(win32sw::KeyCodeFromSymbol(XKB_KEY_exclam, key)) << "a shifted level, not a key";
  EXPECT_FALSE(win32sw::KeyCodeFromSymbol(XKB_KEY_eacute, key));
  EXPECT_FALSE(win32sw::KeyCodeFromSymbol(XKB_KEY_NoSymbol, key));
  EXPECT_FALSE(win32sw::KeyCodeFromSymbol(XKB_KEY_F13, key));
}

}  // namespace
