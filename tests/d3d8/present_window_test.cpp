// What the software device's presents leave in the window: the window is handed only the part of
// the back buffer written since the frame before, so whatever writes the back buffer (drawing,
// clears deferred or not, locks, flips) must reach the window all the same.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "platform/d3d8/objects/present_pacing.h"
#include "platform/win32/backends/sdl/sdl_window.h"
#include "support/program_scene.h"
#include "support/render_device.h"

namespace {

constexpr D3DCOLOR Red = 0xFFFF0000;
constexpr D3DCOLOR Green = 0xFF00FF00;
constexpr D3DCOLOR Blue = 0xFF0000FF;

SDL_Surface* WindowSurface(HWND handle) {
  const win32sw::Window* window = win32sw::WindowFind(handle);
  return window ? SDL_GetWindowSurface(win32sw::SdlWindowOf(*window).sdl) : nullptr;
}

// The window's pixel at (x, y), 0x00RRGGBB.
uint32_t WindowPixel(const SDL_Surface& surface, int x, int y) {
  uint32_t shown;
  std::memcpy(&shown, static_cast<const BYTE*>(surface.pixels) + y * surface.pitch + x * 4,
              sizeof shown);
  return shown & 0x00FFFFFF;
}

// Whether the window shows exactly the image's colours, pixel for pixel.
::testing::AssertionResult WindowShows(HWND handle, const BackBufferImage& image) {
  SDL_Surface* surface = WindowSurface(handle);
  if (!surface) return ::testing::AssertionFailure() << "no window surface";
  if (static_cast<UINT>(surface->w) != image.width || static_cast<UINT>(surface->h) != image.height)
    return ::testing::AssertionFailure() << "the window is " << surface->w << " by " << surface->h;
  for (UINT y = 0; y < image.height; ++y) {
    for (UINT x = 0; x < image.width; ++x) {
      const uint32_t shown = WindowPixel(*surface, x, y);
      if (shown != (image.At(x, y) & 0x00FFFFFF)) {
        return ::testing::AssertionFailure() << "pixel " << x << ", " << y << " shows " << std::hex
                                             << shown << " for " << image.At(x, y);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// The cube moves every frame: where it was and no longer is must reach the window too.
TEST(PresentWindowTest, TheWindowShowsEveryFrameOfTheProgramsTurn) {
  ProgramScene scene(PictureWithDetail());
  d3d8sw::PresentPacingSet(false);
  for (int frame = 0; frame < 315; ++frame) {
    FrameRender();
    ASSERT_TRUE(WindowShows(MainWindow, BackBufferRead(Device))) << "frame " << frame;
  }
  d3d8sw::PresentPacingSet(true);
}

TEST(PresentWindowTest, ClearsOfRectanglesAndWritesThroughALockReachTheWindow) {
  RenderDevice render(64, 48);
  ASSERT_NE(render.device, nullptr);
  ASSERT_EQ(render->Clear(0, nullptr, D3DCLEAR_TARGET, Red, 1.0f, 0), D3D_OK);
  ASSERT_EQ(render->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  ASSERT_TRUE(WindowShows(render.window.handle, render.BackBufferRead()));

  const D3DRECT square = {5, 5, 9, 9};
  ASSERT_EQ(render->Clear(1, &square, D3DCLEAR_TARGET, Green, 1.0f, 0), D3D_OK);
  ASSERT_EQ(render->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_TRUE(WindowShows(render.window.handle, render.BackBufferRead()));

  IDirect3DSurface8* backBuffer = nullptr;
  ASSERT_EQ(render->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
  D3DLOCKED_RECT locked = {};
  ASSERT_EQ(backBuffer->LockRect(&locked, nullptr, 0), D3D_OK);
  *reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + 40 * locked.Pitch + 60 * 4) = Blue;
  ASSERT_EQ(backBuffer->UnlockRect(), D3D_OK);
  backBuffer->Release();
  ASSERT_EQ(render->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_TRUE(WindowShows(render.window.handle, render.BackBufferRead()));

  // Part of the back buffer, stretched over the window; then all of it again, unchanged since.
  const RECT corner = {0, 0, 8, 6};
  ASSERT_EQ(render->Present(&corner, nullptr, nullptr, nullptr), D3D_OK);
  ASSERT_EQ(render->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_TRUE(WindowShows(render.window.handle, render.BackBufferRead()));
}

// A source rectangle away from the corner shows only that part of the back buffer, stretched
// over the whole window.
TEST(PresentWindowTest, ASourceRectangleIsStretchedOverTheWindow) {
  RenderDevice render(64, 48, D3DFMT_UNKNOWN, D3DSWAPEFFECT_COPY);
  ASSERT_NE(render.device, nullptr);
  ASSERT_EQ(render->Clear(0, nullptr, D3DCLEAR_TARGET, Red, 1.0f, 0), D3D_OK);
  const D3DRECT square = {20, 18, 24, 22};
  ASSERT_EQ(render->Clear(1, &square, D3DCLEAR_TARGET, Green, 1.0f, 0), D3D_OK);
  const RECT quarter = {16, 12, 32, 24};  // stretched four times over
  ASSERT_EQ(render->Present(&quarter, nullptr, nullptr, nullptr), D3D_OK);
  SDL_Surface* surface = WindowSurface(render.window.handle);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(WindowPixel(*surface, 24, 32), Green & 0x00FFFFFF) << "the square";
  EXPECT_EQ(WindowPixel(*surface, 12, 20), Red & 0x00FFFFFF) << "above and left of it";
  EXPECT_EQ(WindowPixel(*surface, 40, 44), Red & 0x00FFFFFF) << "below and right of it";
}

// Each present of a flipping chain shows another buffer than the one before, so the window takes
// all of it, not only what was drawn into it since.
TEST(PresentWindowTest, AFlippingChainShowsEachBufferWhole) {
  RenderDevice render(32, 24, D3DFMT_UNKNOWN, D3DSWAPEFFECT_FLIP);
  ASSERT_NE(render.device, nullptr);
  // One buffer red, the other blue, then a small square drawn into each in turn.
  const D3DRECT square = {5, 5, 9, 9};
  for (int frame = 0; frame < 4; ++frame) {
    if (frame < 2) {
      ASSERT_EQ(render->Clear(0, nullptr, D3DCLEAR_TARGET, frame == 0 ? Red : Blue, 1.0f, 0),
                D3D_OK);
    } else {
      ASSERT_EQ(render->Clear(1, &square, D3DCLEAR_TARGET, Green, 1.0f, 0), D3D_OK);
    }
    ASSERT_EQ(render->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    // The buffer just shown is now the last of the two.
    EXPECT_TRUE(WindowShows(render.window.handle, BackBufferRead(render.device, 1)))
        << "frame " << frame;
  }
}

}  // namespace
