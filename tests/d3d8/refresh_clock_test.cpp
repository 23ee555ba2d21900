// The device's own clock paces presents where the display tells no refreshes. In the web build
// its wait gives the page back to the browser, whose timers and listeners run meanwhile: a page
// has one thread, and a sleep there would spin and hold everything still.
#include <gtest/gtest.h>

#include <emscripten.h>

#include "platform/d3d8/objects/present_pacing.h"

namespace {

TEST(RefreshClockTest, AWaitGivesTheEventLoopBack) {
  EM_ASM({
    Module.timerRan = false;
    setTimeout(
        function() { Module.timerRan = true; }, 0);
  });
  d3d8sw::RefreshClock(60).Wait(2);
  EXPECT_TRUE(EM_ASM_INT({ return Module.timerRan ? 1 : 0; }));
}

}  // namespace
