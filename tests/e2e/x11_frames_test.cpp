// What an X server shows of the stand-in's frames, read back from the window by a client of
// the test's own: frames shown at their own size, then stretched over a bigger client area,
// each time with only a part of the frame changed. Run under with-xvfb.
#include <gtest/gtest.h>

#include <windows.h>

#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

#include "platform/win32/stand_in.h"
#include "support/test_window.h"
#include "win32/sdl_window_input.h"

namespace {

constexpr UINT Width = 64, Height = 48;
constexpr uint32_t Red = 0xFF0000, Blue = 0x0000FF, Green = 0x00FF00;

// A frame of the window's own size, red, with squares of colour painted into it.
struct Frame {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(Width * Height, Red);

  RECT Square(LONG left, LONG top, uint32_t colour) {
    const RECT square = {left, top, left + 4, top + 4};
    for (LONG y = square.top; y < square.bottom; ++y) {
      for (LONG x = square.left; x < square.right; ++x) pixels[y * Width + x] = colour;
    }
    return square;
  }

  // Shown, and all of it done by the server once the refresh after it is told.
  bool Show(HWND window, const RECT* changed) {
    const bool shown =
        win32sw::WindowPresent(window, pixels.data(), Width, Height, Width * 4, changed);
    win32sw::WindowRefreshWait(window, 1);
    return shown;
  }
};

// The window's pixel at (x, y) as the server holds it, 0x00RRGGBB.
uint32_t ServerPixel(Display* display, ::Window window, int x, int y) {
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFF;
  const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

// A shown window of the frames' size, and a client of the test's own on its X server.
class X11FramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.handle, nullptr);
    ShowWindow(window.handle, SW_SHOW);
    sdl = SdlWindowOf(window.handle);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(sdl, &info)) << SDL_GetError();
    ASSERT_EQ(info.subsystem, SDL_SYSWM_X11) << "not on X11: run with SDL_VIDEODRIVER=x11";
    id = info.info.x11.window;
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
  }

  void TearDown() override {
    if (display) XCloseDisplay(display);
  }

  uint32_t Pixel(int x, int y) { return ServerPixel(display, id, x, y); }

  // Whether the client area has the size asked for, once the window's messages say so.
  bool Resized(LONG width, LONG height) {
    SDL_SetWindowSize(sdl, width, height);
    RECT client = {};
    for (int tries = 0; tries < 200; ++tries) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      GetClientRect(window.handle, &client);
      if (client.right == width && client.bottom == height) return true;
      SDL_Delay(10);
    }
    return false;
  }

  TestWindow window{Width, Height};
  SDL_Window* sdl = nullptr;
  Display* display = nullptr;
  ::Window id = 0;
};

// The client area of a frame shown at its own size is resized to twice that, and the next
// frame, with only a square of it changed, is stretched over it all: the window shows every
// frame's pixels, not only the square.
TEST_F(X11FramesTest, AFrameStretchedAfterFramesShownAtTheirOwnSizeShowsWhole) {
  Frame frame;
  ASSERT_TRUE(frame.Show(window.handle, nullptr));
  const RECT blue = frame.Square(8, 8, Blue);
  ASSERT_TRUE(frame.Show(window.handle, &blue));
  EXPECT_EQ(Pixel(30, 30), Red);
  EXPECT_EQ(Pixel(10, 10), Blue);

  ASSERT_TRUE(Resized(2 * Width, 2 * Height));
  const RECT green = frame.Square(40, 30, Green);
  ASSERT_TRUE(frame.Show(window.handle, &green));
  // Each frame pixel is two by two window pixels now; looked at in their middles.
  EXPECT_EQ(Pixel(61, 61), Red) << "stretched red";
  EXPECT_EQ(Pixel(21, 21), Blue) << "the first change, stretched";
  EXPECT_EQ(Pixel(85, 65), Green) << "the second change, stretched";
}

// A window made wider only stretches the frame across, rows as they were.
TEST_F(X11FramesTest, AWindowMadeWiderOnlyStretchesTheFrameAcross) {
  Frame frame;
  ASSERT_TRUE(frame.Show(window.handle, nullptr));
  ASSERT_TRUE(Resized(2 * Width, Height));
  const RECT blue = frame.Square(8, 8, Blue);
  ASSERT_TRUE(frame.Show(window.handle, &blue));
  EXPECT_EQ(Pixel(2 * 10 + 1, 10), Blue) << "the square, stretched across";
  EXPECT_EQ(Pixel(10, 10), Red) << "left of the stretched square";
  EXPECT_EQ(Pixel(2 * Width - 1, Height - 1), Red) << "the far corner";
}

// Rows a pixel shorter apart than the frame is wide would overlap: such a frame is refused, and
// the window goes on showing the frame before.
TEST_F(X11FramesTest, AFrameWithRowsTooCloseIsRefusedAndTheFrameBeforeStays) {
  Frame frame;
  ASSERT_TRUE(frame.Show(window.handle, nullptr));
  const std::vector<uint32_t> blue(Width * Height, Blue);
  EXPECT_FALSE(
      win32sw::WindowPresent(window.handle, blue.data(), Width, Height, (Width - 1) * 4, nullptr));
  win32sw::WindowRefreshWait(window.handle, 1);
  EXPECT_EQ(Pixel(30, 30), Red);
}

}  // namespace
