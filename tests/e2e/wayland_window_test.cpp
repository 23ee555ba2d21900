// The stand-in's windows on a Wayland compositor: sway, started by with-wayland with one headless
// output of 1280 by 1024. The display mode is the output's, and a window made to cover the
// display covers that output.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/stand_in.h"
#include "support/test_window.h"

namespace {

TEST(WaylandWindowTest, TheDisplayModeIsTheOutputs) {
  win32sw::DisplayModeInfo mode;
  ASSERT_TRUE(win32sw::DisplayModeQuery(mode));
  EXPECT_EQ(mode.width, 1280u);
  EXPECT_EQ(mode.height, 1024u);
  // wlroots' headless outputs refresh at 60 Hz.
  EXPECT_EQ(mode.refreshRate, 60u);
  EXPECT_TRUE(mode.framesShown);
}

TEST(WaylandWindowTest, AWindowMadeToCoverTheDisplayCoversTheOutput) {
  TestWindow window(640, 480, WS_OVERLAPPEDWINDOW);
  ASSERT_NE(window.handle, nullptr);
  // Only a window on the screen can be given the whole of it.
  EXPECT_FALSE(win32sw::WindowFullScreen(window.handle, 800, 600));
  ShowWindow(window.handle, SW_SHOW);
  ASSERT_TRUE(win32sw::WindowFullScreen(window.handle, 800, 600));
  // The compositor keeps its output's mode: the window covers all of it.
  RECT client;
  ASSERT_TRUE(GetClientRect(window.handle, &client));
  EXPECT_EQ(client.right, 1280);
  EXPECT_EQ(client.bottom, 1024);
}

}  // namespace
