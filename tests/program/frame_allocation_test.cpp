// The running program allocates nothing per frame, and neither does its platform: counted by
// the sanitizer's allocator, which sees every malloc in the process, the platform's libraries
// included.
#include <gtest/gtest.h>

#include "platform/d3d8/objects/present_pacing.h"
#include "support/program_scene.h"

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

TEST(FrameAllocationTest, ShownAndSpinningTheProgramAllocatesNothingPerFrame) {
  if (!__sanitizer_install_malloc_and_free_hooks) {
    GTEST_SKIP() << "allocations are counted only in builds with AddressSanitizer";
  }
  ASSERT_TRUE(__sanitizer_install_malloc_and_free_hooks(AllocationCount, FreeIgnore));
  ProgramScene scene(PictureWithDetail());
  ShowWindow(MainWindow, SW_SHOW);
  d3d8sw::PresentPacingSet(false);
  // Warm: whatever is made once, at the first frames, is made.
  for (int frame = 0; frame < 10; ++frame) FrameLoopTurn();
  Counting = true;
  for (int frame = 0; frame < 200; ++frame) FrameLoopTurn();
  Counting = false;
  d3d8sw::PresentPacingSet(true);
  EXPECT_EQ(Allocations, 0) << "in 200 frames";
}

}  // namespace
