// Frames in the byte order a canvas's ImageData takes.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/win32/backends/browser/canvas_pixels.h"

namespace {

// Three by two pixels in rows of four words: the fourth is the row's padding.
constexpr INT Pitch = 16;
const uint32_t Frame[8] = {0x00112233, 0x00FF0000, 0x0000FF00, 0xAAAAAAAA,
                           0x000000FF, 0xFF808080, 0x00010203, 0xAAAAAAAA};

win32sw::FrameView View() { return {Frame, 3, 2, Pitch}; }

std::array<uint8_t, 4> Bytes(uint32_t word) {
  std::array<uint8_t, 4> bytes;
  std::memcpy(bytes.data(), &word, sizeof word);
  return bytes;
}

using RGBA = std::array<uint8_t, 4>;

TEST(CanvasPixelsTest, RedGreenBlueThenAnOpaqueAlphaWhateverTheUnusedByteHeld) {
  std::vector<uint32_t> canvas(6);
  win32sw::CanvasPixelsConvert(View(), RECT{0, 0, 3, 2}, canvas.data());
  EXPECT_EQ(Bytes(canvas[0]), (RGBA{0x11, 0x22, 0x33, 0xFF}));
  EXPECT_EQ(Bytes(canvas[1]), (RGBA{0xFF, 0x00, 0x00, 0xFF}));
  EXPECT_EQ(Bytes(canvas[2]), (RGBA{0x00, 0xFF, 0x00, 0xFF}));
  EXPECT_EQ(Bytes(canvas[3]), (RGBA{0x00, 0x00, 0xFF, 0xFF})) << "the second row, past the padding";
  EXPECT_EQ(Bytes(canvas[4]), (RGBA{0x80, 0x80, 0x80, 0xFF})) << "the frame's unused byte ignored";
  EXPECT_EQ(Bytes(canvas[5]), (RGBA{0x01, 0x02, 0x03, 0xFF}));
}

TEST(CanvasPixelsTest, PixelsOutsideTheAreaAreLeftAsTheyWere) {
  std::vector<uint32_t> canvas(6, 0xDEADBEEF);
  win32sw::CanvasPixelsConvert(View(), RECT{1, 1, 3, 2}, canvas.data());
  for (int i : {0, 1, 2, 3}) EXPECT_EQ(canvas[i], 0xDEADBEEF) << i;
  EXPECT_EQ(Bytes(canvas[4]), (RGBA{0x80, 0x80, 0x80, 0xFF}));
  EXPECT_EQ(Bytes(canvas[5]), (RGBA{0x01, 0x02, 0x03, 0xFF}));
}

}  // namespace
