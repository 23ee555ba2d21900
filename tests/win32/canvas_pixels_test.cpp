// Frames in the byte order a canvas's ImageData takes.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/win32/backends/browser/canvas_pixels.h"

namespace {

// Five by two pixels in rows of six words: the sixth is the row's padding. Four pixels a row
// go at once, the fifth alone.
constexpr INT Pitch = 24;
const uint32_t Frame[12] = {0x00112233, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF808080, 0xAAAAAAAA,
                            0xFF445566, 0x00010203, 0x00FFFFFF, 0x00000000, 0x00A0B0C0, 0xAAAAAAAA};

win32sw::FrameView View() { return {Frame, 5, 2, Pitch}; }

std::array<uint8_t, 4> Bytes(uint32_t word) {
  std::array<uint8_t, 4> bytes;
  std::memcpy(bytes.data(), &word, sizeof word);
  return bytes;
}

using RGBA = std::array<uint8_t, 4>;

TEST(CanvasPixelsTest, RedGreenBlueThenAnOpaqueAlphaWhateverTheUnusedByteHeld) {
  std::vector<uint32_t> canvas(10);
  win32sw::CanvasPixelsConvert(View(), RECT{0, 0, 5, 2}, canvas.data());
  const RGBA expected[10] = {{0x11, 0x22, 0x33, 0xFF}, {0xFF, 0x00, 0x00, 0xFF},
                             {0x00, 0xFF, 0x00, 0xFF}, {0x00, 0x00, 0xFF, 0xFF},
                             {0x80, 0x80, 0x80, 0xFF}, {0x44, 0x55, 0x66, 0xFF},
                             {0x01, 0x02, 0x03, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF},
                             {0x00, 0x00, 0x00, 0xFF}, {0xA0, 0xB0, 0xC0, 0xFF}};
  // The second row starts past the first's padding; the frame's unused byte is never read.
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Bytes(canvas[i]), expected[i]) << "pixel " << i;
}

TEST(CanvasPixelsTest, PixelsOutsideTheAreaAreLeftAsTheyWere) {
  std::vector<uint32_t> canvas(10, 0xDEADBEEF);
  win32sw::CanvasPixelsConvert(View(), RECT{1, 1, 3, 2}, canvas.data());
  for (int i : {0, 1, 2, 3, 4, 5, 8, 9}) EXPECT_EQ(canvas[i], 0xDEADBEEF) << i;
  EXPECT_EQ(Bytes(canvas[6]), (RGBA{0x01, 0x02, 0x03, 0xFF}));
  EXPECT_EQ(Bytes(canvas[7]), (RGBA{0xFF, 0xFF, 0xFF, 0xFF}));
}

// A window's changed part clipped to the frame may come out empty, or turned inside out.
TEST(CanvasPixelsTest, AnAreaOfNoWidthOrNoHeightConvertsNothing) {
  for (const RECT& area :
       {RECT{2, 0, 2, 2}, RECT{4, 0, 1, 2}, RECT{0, 1, 5, 1}, RECT{0, 2, 5, 0}}) {
    std::vector<uint32_t> canvas(10, 0xDEADBEEF);
    win32sw::CanvasPixelsConvert(View(), area, canvas.data());
    EXPECT_EQ(canvas, std::vector<uint32_t>(10, 0xDEADBEEF))
        << area.left << ", " << area.top << ", " << area.right << ", " << area.bottom;
  }
}

}  // namespace
