// On an X server that counts its refreshes for a window (the Present extension, which Xvfb
// has), the stand-in's waits for a window's refreshes are waits for the server's own: as many
// as asked for, told by the server, and none when the server tells none. Run under with-xvfb.
#include <gtest/gtest.h>

#include <windows.h>

#include <SDL_syswm.h>
#include <X11/extensions/Xpresent.h>
#include <poll.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/win32/stand_in.h"
#include "support/test_window.h"
#include "win32/sdl_window_input.h"

namespace {

// A window of the stand-in shown on the X server, and the server's side of its refreshes as a
// client of the test's own hears of them: every client that listens to a window hears of each
// refresh anyone asked to be told of, the stand-in's included.
class ShownWindow {
 public:
  ShownWindow() : display_(XOpenDisplay(nullptr)) {
    if (!window_.handle || !display_) return;
    ShowWindow(window_.handle, SW_SHOW);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    int event = 0, error = 0;
    if (!SDL_GetWindowWMInfo(SdlWindowOf(window_.handle), &info) ||
        info.subsystem != SDL_SYSWM_X11 ||
        !XPresentQueryExtension(display_, &opcode_, &event, &error)) {
      return;
    }
    id_ = info.info.x11.window;
    XPresentSelectInput(display_, id_, PresentCompleteNotifyMask);
  }
  ~ShownWindow() {
    if (display_) XCloseDisplay(display_);
  }
  ShownWindow(const ShownWindow&) = delete;
  ShownWindow& operator=(const ShownWindow&) = delete;

  // False unless the window is on X11, through a server that counts refreshes.
  bool Counted() const { return id_ != 0; }
  HWND Handle() const { return window_.handle; }
  Display* Server() const { return display_; }

  // The server's count at its next refresh; none when it tells none within 5 seconds. Every
  // refresh the stand-in was told of before then has been heard of too.
  std::optional<uint64_t> Next() {
    XPresentNotifyMSC(display_, id_, ++serial_, 0, 1, 0);
    XFlush(display_);
    for (int tries = 0; tries < 50; ++tries) {
      while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type != GenericEvent || event.xcookie.extension != opcode_ ||
            !XGetEventData(display_, &event.xcookie)) {
          continue;
        }
        std::optional<uint64_t> count;
        if (event.xcookie.evtype == PresentCompleteNotify) {
          const auto* complete =
              static_cast<const XPresentCompleteNotifyEvent*>(event.xcookie.data);
          if (complete->serial_number == serial_) {
            count = complete->msc;
          } else if (complete->serial_number < SerialsFirst) {
            ++standInTold_;
          }
        }
        XFreeEventData(display_, &event.xcookie);
        if (count) return count;
      }
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, 100);
    }
    return std::nullopt;
  }

  // How many refreshes the server told the stand-in of, heard since the last call.
  int StandInToldTake() { return std::exchange(standInTold_, 0); }

 private:
  // Serials far from the stand-in's own tell this client's notices apart.
  static constexpr uint32_t SerialsFirst = 0xC0000000u;

  TestWindow window_{64, 48};
  Display* display_;
  ::Window id_ = 0;
  int opcode_ = 0;
  uint32_t serial_ = SerialsFirst;
  int standInTold_ = 0;
};

// Xvfb's refreshes come from a timer of its own: a busy host can keep it from telling a
// refresh before a wait gives up, for the caller to keep time itself. Not every time.
constexpr int Attempts = 10;

TEST(X11RefreshTest, AWindowsRefreshesAreTheOnesTheServerCounts) {
  ShownWindow shown;
  ASSERT_TRUE(shown.Counted()) << "not on X11 with the Present extension (SDL_VIDEODRIVER=x11)";
  const std::optional<uint64_t> before = shown.Next();
  ASSERT_TRUE(before) << "the server tells no refreshes of the window";
  constexpr UINT Count = 2;
  int told = 0;
  for (int i = 0; i < Attempts; ++i) told += win32sw::WindowRefreshWait(shown.Handle(), Count);
  const std::optional<uint64_t> after = shown.Next();
  ASSERT_TRUE(after) << "the server stopped telling refreshes of the window";
  std::printf("%d of %d waits told by the server; its count went from %llu to %llu\n", told,
              Attempts, static_cast<unsigned long long>(*before),
              static_cast<unsigned long long>(*after));
  EXPECT_GT(told, 0) << "no wait was for the server's refreshes";
  EXPECT_GE(*after - *before, uint64_t{Count} * told);
}

// After each frame the program waits for the next refresh: one, not two. A window's first wait
// follows no frame that came late, which would make it wait for one more.
TEST(X11RefreshTest, AWaitForTheNextRefreshWaitsForOne) {
  for (int attempt = 0; attempt < Attempts; ++attempt) {
    ShownWindow shown;
    ASSERT_TRUE(shown.Counted()) << "not on X11 with the Present extension";
    ASSERT_TRUE(shown.Next());
    shown.StandInToldTake();
    const bool told = win32sw::WindowRefreshWait(shown.Handle(), 1);
    ASSERT_TRUE(shown.Next());
    if (!told) continue;
    EXPECT_EQ(shown.StandInToldTake(), 1) << "refreshes waited for";
    return;
  }
  FAIL() << "the server told none of " << Attempts << " waits";
}

// While the server answers no one else (another client holds it grabbed), the wait gives up
// instead of taking the silence for a refresh.
TEST(X11RefreshTest, AWaitTheServerTellsNothingOfGivesUp) {
  ShownWindow shown;
  ASSERT_TRUE(shown.Counted()) << "not on X11 with the Present extension";
  ASSERT_TRUE(shown.Next());
  XGrabServer(shown.Server());
  XSync(shown.Server(), False);
  const bool told = win32sw::WindowRefreshWait(shown.Handle(), 1);
  XUngrabServer(shown.Server());
  XSync(shown.Server(), False);
  EXPECT_FALSE(told);
}

}  // namespace
