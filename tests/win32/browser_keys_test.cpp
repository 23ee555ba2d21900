// Keys as the browser names them (KeyboardEvent.code) as Windows names them under a US layout.
#include <gtest/gtest.h>

#include <utility>

#include "platform/win32/backends/browser/browser_keys.h"

namespace {

// The virtual key and the scan code (with KF_EXTENDED) of `code`.
std::pair<WORD, WORD> Key(const char* code) {
  win32sw::KeyCode key;
  EXPECT_TRUE(win32sw::KeyCodeFromDom(code, key)) << code;
  return {key.virtualKey, key.scanCode};
}

using Codes = std::pair<WORD, WORD>;

TEST(BrowserKeysTest, LettersDigitsAndFunctionKeysHaveTheirPlacesCodes) {
  EXPECT_EQ(Key("KeyA"), Codes('A', 0x1E));
  EXPECT_EQ(Key("KeyQ"), Codes('Q', 0x10)) << "a place, not a letter: AZERTY's A key";
  EXPECT_EQ(Key("KeyZ"), Codes('Z', 0x2C));
  EXPECT_EQ(Key("Digit1"), Codes('1', 0x02));
  EXPECT_EQ(Key("Digit9"), Codes('9', 0x0A));
  EXPECT_EQ(Key("Digit0"), Codes('0', 0x0B)) << "0 comes after 9 on the keyboard";
  EXPECT_EQ(Key("F1"), Codes(VK_F1, 0x3B));
  EXPECT_EQ(Key("F4"), Codes(VK_F4, 0x3E));
  EXPECT_EQ(Key("F10"), Codes(VK_F10, 0x44));
  EXPECT_EQ(Key("F11"), Codes(VK_F11, 0x57)) << "F11 and F12 break the run";
  EXPECT_EQ(Key("F12"), Codes(VK_F12, 0x58));
}

TEST(BrowserKeysTest, KeysOnTheRightAndTheCursorBlockAreExtended) {
  EXPECT_EQ(Key("Escape"), Codes(VK_ESCAPE, 0x01));
  EXPECT_EQ(Key("AltLeft"), Codes(VK_MENU, 0x38));
  EXPECT_EQ(Key("AltRight"), Codes(VK_MENU, KF_EXTENDED | 0x38));
  EXPECT_EQ(Key("ControlRight"), Codes(VK_CONTROL, KF_EXTENDED | 0x1D));
  EXPECT_EQ(Key("ShiftRight"), Codes(VK_SHIFT, 0x36)) << "a scan code of its own, not extended";
  EXPECT_EQ(Key("Enter"), Codes(VK_RETURN, 0x1C));
  EXPECT_EQ(Key("NumpadEnter"), Codes(VK_RETURN, KF_EXTENDED | 0x1C));
  EXPECT_EQ(Key("ArrowLeft"), Codes(VK_LEFT, KF_EXTENDED | 0x4B));
  EXPECT_EQ(Key("Delete"), Codes(VK_DELETE, KF_EXTENDED | 0x53));
}

TEST(BrowserKeysTest, KeysThatAreNotOnTheListAreNotTold) {
  for (const char* code : {"", "Key", "Keya", "KeyAB", "Digit", "Digit10", "F", "F0", "F13", "F1x",
                           "IntlBackslash", "MetaLeft", "Unidentified"}) {
    win32sw::KeyCode key;
    EXPECT_FALSE(win32sw::KeyCodeFromDom(code, key)) << '"' << code << '"';
  }
}

}  // namespace
