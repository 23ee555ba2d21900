// On an X server that counts its refreshes for a window (the Present extension, which Xvfb
// has), the stand-in's waits for a window's refreshes are waits for the server's own: a wait
// told of its second refresh has seen the server's count move on by two. Run under with-xvfb.
#include <gtest/gtest.h>

#include <windows.h>

#include <SDL_syswm.h>
#include <X11/extensions/Xpresent.h>
#include <poll.h>

#include <cstdint>
#include <cstdio>
#include <optional>

#include "platform/win32/stand_in.h"
#include "support/test_window.h"
#include "win32/sdl_window_input.h"

namespace {

// The server's count of refreshes for `window`, as it tells a client of its own.
class ServerRefreshCount {
 public:
  explicit ServerRefreshCount(::Window window) : display_(XOpenDisplay(nullptr)), window_(window) {
    int event = 0, error = 0;
    if (!display_ || !XPresentQueryExtension(display_, &opcode_, &event, &error)) return;
    XPresentSelectInput(display_, window_, PresentCompleteNotifyMask);
    counting_ = true;
  }
  ~ServerRefreshCount() {
    if (display_) XCloseDisplay(display_);
  }
  ServerRefreshCount(const ServerRefreshCount&) = delete;
  ServerRefreshCount& operator=(const ServerRefreshCount&) = delete;

  // The count at the server's next refresh; none when the server tells none within 5 seconds.
  std::optional<uint64_t> Next() {
    if (!counting_) return std::nullopt;
    XPresentNotifyMSC(display_, window_, ++serial_, 0, 1, 0);
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
          if (complete->serial_number == serial_) count = complete->msc;
        }
        XFreeEventData(display_, &event.xcookie);
        if (count) return count;
      }
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, 100);
    }
    return std::nullopt;
  }

 private:
  Display* display_;
  ::Window window_;
  int opcode_ = 0;
  bool counting_ = false;
  // Every client that listens to the window hears of every refresh asked for it; serials far
  // from the stand-in's own tell this client's apart.
  uint32_t serial_ = 0xC0000000u;
};

TEST(X11RefreshTest, AWindowsRefreshesAreTheOnesTheServerCounts) {
  TestWindow window(64, 48);
  ASSERT_NE(window.handle, nullptr);
  ShowWindow(window.handle, SW_SHOW);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(SdlWindowOf(window.handle), &info)) << SDL_GetError();
  ASSERT_EQ(info.subsystem, SDL_SYSWM_X11) << "not on X11: run with SDL_VIDEODRIVER=x11";
  ServerRefreshCount server(info.info.x11.window);
  const std::optional<uint64_t> before = server.Next();
  ASSERT_TRUE(before) << "the server tells no refreshes of the window";

  // A busy host can keep the server from telling a refresh in time, and a wait then gives up
  // for the caller to keep time itself; not all of them.
  constexpr UINT Count = 2;
  int told = 0;
  for (int i = 0; i < 10; ++i) told += win32sw::WindowRefreshWait(window.handle, Count) ? 1 : 0;
  const std::optional<uint64_t> after = server.Next();
  ASSERT_TRUE(after) << "the server stopped telling refreshes of the window";
  std::printf("%d of 10 waits told by the server; its count went from %llu to %llu\n", told,
              static_cast<unsigned long long>(*before), static_cast<unsigned long long>(*after));
  EXPECT_GT(told, 0) << "no wait was for the server's refreshes";
  EXPECT_GE(*after - *before, uint64_t{Count} * told);
}

}  // namespace
