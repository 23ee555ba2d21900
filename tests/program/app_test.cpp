#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/app.h"
#include "doubles/recording_device.h"
#include "support/death_tests.h"
#include "support/program_doubles.h"
#include "scene/scene.h"

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The window procedure against a real window of the stand-in (no display needed) and a
// recording device.
class MainWindowProcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MainWindowProcTest";
    RegisterClassExA(&windowClass);
    window = CreateWindowExA(0, "MainWindowProcTest", "Test", WS_OVERLAPPEDWINDOW, 80, 80, 640, 480,
                             nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    Device = &device;
  }
  void TearDown() override {
    Device = nullptr;
    SpinAngle = 0.0f;
  }

  // The next message the queue gives, after a marker posted now: whatever the procedure
  // posted comes before the marker.
  MSG NextMessage() {
    PostMessageA(window, WM_USER, 0, 0);
    MSG message = {};
    GetMessageA(&message, nullptr, 0, 0);
    return message;
  }

  RecordingDevice device;
  HWND window = nullptr;
};

TEST_F(MainWindowProcTest, PaintDrawsOneFrame) {
  EXPECT_EQ(MainWindowProc(window, WM_PAINT, 0, 0), 0);
  EXPECT_THAT(
      device.calls,
      ElementsAre("Clear(0, null, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00000000, 1, 0)",
                  "BeginScene()", "SetTransform(D3DTS_WORLD, ptr)", "SetStreamSource(0, null, 32)",
                  "DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12)", "EndScene()",
                  "Present(null, null, null, null)"));
  EXPECT_EQ(SpinAngle, 0.02f);
}

TEST_F(MainWindowProcTest, EscapeAsksToCloseAndOtherKeysAreConsumed) {
  for (WPARAM key : {WPARAM{'A'}, WPARAM{VK_SPACE}, WPARAM{VK_F4}, WPARAM{VK_RETURN}}) {
    EXPECT_EQ(MainWindowProc(window, WM_KEYDOWN, key, 0), 0) << key;
    EXPECT_EQ(NextMessage().message, static_cast<UINT>(WM_USER)) << key;
  }
  EXPECT_EQ(MainWindowProc(window, WM_KEYDOWN, VK_ESCAPE, 0), 0);
  const MSG close = NextMessage();
  EXPECT_EQ(close.message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(close.hwnd, window);
  DestroyWindow(window);
}

TEST_F(MainWindowProcTest, CloseDestroysTheWindowAndDestructionQuits) {
  EXPECT_EQ(MainWindowProc(window, WM_CLOSE, 0, 0), 0);
  MSG message = {};
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 0u);
}

// Whole runs of the main routine, each in a process of its own, against the test doubles.
class AppMainDeathTest : public ::testing::Test {
 protected:
  void SetUp() override { device.echo = true; }

  ProgramDoubles doubles;
  RecordingDevice& device = doubles.device;
};

TEST_F(AppMainDeathTest, EscapeAfterSomeFramesShutsDownWithCodeZero) {
  int frames = 0;
  device.afterPresent = [&frames] {
    if (++frames == 5) PostMessageA(MainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
  };
  EXPECT_EXIT(AppMain(GetModuleHandleA(nullptr), nullptr, nullptr, 0), ::testing::ExitedWithCode(0),
              AllOf(HasSubstr("Present"), HasSubstr("Release()"), Not(HasSubstr("Error"))));
}

TEST_F(AppMainDeathTest, NoWindowMeansAnErrorBoxBeforeAnyDeviceWork) {
  // A video driver that does not exist: the window cannot be made.
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
        AppMain(GetModuleHandleA(nullptr), nullptr, nullptr, 0);
      },
      ::testing::ExitedWithCode(0),
      AllOf(HasSubstr("Error: Failed to create window"), Not(HasSubstr("SetRenderState"))));
}

}  // namespace
