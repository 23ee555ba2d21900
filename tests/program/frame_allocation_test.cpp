// The running program allocates nothing per frame, and neither does its platform: counted by
// the sanitizer's allocator, which sees every malloc in the process, the platform's libraries
// included.
#include <gtest/gtest.h>

#include "platform/d3d8/objects/present_pacing.h"
#include "support/program_scene.h"

#ifndef __EMSCRIPTEN__  // the page sizes its windows itself
#include <SDL.h>

#include "platform/win32/backends/sdl/sdl_window.h"
#endif

// Present only in builds with AddressSanitizer (the dev preset's).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             size_t),
                                                         void (*free_hook)(const volatile void*))
    __attribute__((weak));

namespace {

bool Counting = false;
int Allocations = 0;

void AllocationCount(const volatile void*, size_t) {
  if (Counting) ++Allocations;
}

// The sanitizer takes both hooks or neither.
void FreeIgnore(const volatile void*) {}

// One turn of the program's loop: the paint request, its dispatch, the frame.
void FrameLoopTurn() {
  InvalidateRect(MainWindow, nullptr, FALSE);
  MSG message;
  ASSERT_GT(GetMessageA(&message, nullptr, 0, 0), 0);
  TranslateMessage(&message);
  DispatchMessageA(&message);
  FrameRender();
}

// 200 frames after 10 that warm up, `prepare` done to the shown window first: the allocations
// made meanwhile.
template <typename Prepare>
int AllocationsInTwoHundredFrames(Prepare prepare) {
  // Once for the process: hooks installed twice would count each allocation twice.
  static const bool hooked = __sanitizer_install_malloc_and_free_hooks(AllocationCount, FreeIgnore);
  EXPECT_TRUE(hooked);
  ProgramScene scene(PictureWithDetail());
  ShowWindow(MainWindow, SW_SHOW);
  d3d8sw::PresentPacingSet(false);
  prepare();
  // Warm: whatever is made once, at the first frames, is made.
  for (int frame = 0; frame < 10; ++frame) FrameLoopTurn();
  Allocations = 0;
  Counting = true;
  for (int frame = 0; frame < 200; ++frame) FrameLoopTurn();
  Counting = false;
  d3d8sw::PresentPacingSet(true);
  return Allocations;
}

TEST(FrameAllocationTest, ShownAndSpinningTheProgramAllocatesNothingPerFrame) {
  if (!__sanitizer_install_malloc_and_free_hooks) {
    GTEST_SKIP() << "allocations are counted only in builds with AddressSanitizer";
  }
  EXPECT_EQ(AllocationsInTwoHundredFrames([] {}), 0);
}

#ifndef __EMSCRIPTEN__
// Resized as the person at the window resizes it, the window keeps frames of their own size,
// stretched over the new client area.
TEST(FrameAllocationTest, StretchedOverAResizedWindowTheFramesAllocateNothing) {
  if (!__sanitizer_install_malloc_and_free_hooks) {
    GTEST_SKIP() << "allocations are counted only in builds with AddressSanitizer";
  }
  EXPECT_EQ(AllocationsInTwoHundredFrames([] {
              SDL_SetWindowSize(win32sw::SdlWindowOf(*win32sw::WindowFind(MainWindow)).sdl, 800,
                                600);
              FrameLoopTurn();
              RECT client = {};
              GetClientRect(MainWindow, &client);
              EXPECT_EQ(client.right, 800) << "not resized";
            }),
            0);
}
#endif

}  // namespace
