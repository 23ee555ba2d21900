// Window classes, windows and what the software device asks of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/stand_in.h"
#include "win32/recording_window.h"
#include "win32/sdl_window_input.h"

using ::testing::ElementsAre;

namespace {

constexpr DWORD VelkorStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

using WindowTest = RecordingTest;

LRESULT CALLBACK RefusingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Received.push_back({window, message, wParam, lParam});
  return message == WM_CREATE ? -1 : DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowTest, ClassesAreFoundByNameWhateverTheCase) {
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = DefWindowProcA;
  description.lpszClassName = "CaseBlind";
  EXPECT_GE(RegisterClassExA(&description), 0xC000);
  EXPECT_EQ(RegisterClassExA(&description), 0) << "already registered";
  description.lpszClassName = "Sized wrong";
  description.cbSize = 48 + 1;
  EXPECT_EQ(RegisterClassExA(&description), 0);

  HWND window = CreateWindowExA(0, "CASEBLIND", "", VelkorStyle, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  EXPECT_NE(window, nullptr);
  EXPECT_EQ(CreateWindowExA(0, "Sized wrong", "", VelkorStyle, 0, 0, 100, 100, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  EXPECT_EQ(CreateWindowExA(0, "NOSUCHCLASS", "", VelkorStyle, 0, 0, 100, 100, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
}

// A class names the system's arrow; the program has no cursor resources of its own.
TEST_F(WindowTest, TheArrowIsTheSystemsAndTheProgramHasNoCursorOfItsOwn) {
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  EXPECT_NE(arrow, nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
  EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), nullptr);
}

TEST_F(WindowTest, AVelkorSizedWindowHasTheWindows10ClientAreaAndStartsHidden) {
  HWND window = RecordingWindowCreate(VelkorStyle);
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.left, 0);
  EXPECT_EQ(client.top, 0);
  EXPECT_EQ(client.right, 624);
  EXPECT_EQ(client.bottom, 441);

  SDL_Window* shown = SdlWindowOf(window);
  int width = 0, height = 0;
  SDL_GetWindowSize(shown, &width, &height);
  EXPECT_EQ(width, 624);
  EXPECT_EQ(height, 441);
  EXPECT_STREQ(SDL_GetWindowTitle(shown), "Recording");
  EXPECT_TRUE(SDL_GetWindowFlags(shown) & SDL_WINDOW_HIDDEN);

  ASSERT_THAT(ReceivedAmong({WM_NCCREATE, WM_CREATE}), ElementsAre(WM_NCCREATE, WM_CREATE));
  EXPECT_EQ(ReceivedCreation.x, 80);
  EXPECT_EQ(ReceivedCreation.cx, 640);
  EXPECT_EQ(ReceivedCreation.cy, 480);
  EXPECT_EQ(ReceivedCreation.style, static_cast<LONG>(VelkorStyle));
  EXPECT_STREQ(ReceivedCreation.lpszName, "Recording");
  // The creation messages carry the CREATESTRUCT in lParam and nothing in wParam.
  for (const ReceivedMessage& received : Received) {
    if (received.message == WM_NCCREATE || received.message == WM_CREATE) {
      EXPECT_EQ(received.wParam, 0u) << "message " << received.message;
    }
  }
}

TEST_F(WindowTest, AProcedureThatRefusesCreationLeavesNoWindow) {
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = RefusingProcedure;
  description.lpszClassName = "REFUSING";
  RegisterClassExA(&description);
  EXPECT_EQ(CreateWindowExA(0, "REFUSING", "", VelkorStyle, 0, 0, 100, 100, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  EXPECT_THAT(ReceivedAmong({WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
              ElementsAre(WM_CREATE, WM_DESTROY, WM_NCDESTROY));
}

TEST_F(WindowTest, TheDummyDisplayReportsItsMode) {
  win32sw::DisplayModeInfo mode;
  ASSERT_TRUE(win32sw::DisplayModeQuery(mode));
  EXPECT_EQ(mode.width, 1024u);
  EXPECT_EQ(mode.height, 768u);
}

// The colour of one pixel of what the window shows.
uint32_t Shown(HWND window, int x, int y) {
  SDL_Surface* surface = SDL_GetWindowSurface(SdlWindowOf(window));
  EXPECT_NE(surface, nullptr) << SDL_GetError();
  if (!surface) return 0;
  uint32_t pixel;
  std::memcpy(&pixel, static_cast<const char*>(surface->pixels) + y * surface->pitch + x * 4, 4);
  return pixel & 0x00FFFFFF;
}

TEST_F(WindowTest, PresentingShowsTheFrameStretchedOverTheClientArea) {
  HWND window = RecordingWindowCreate(VelkorStyle | WS_VISIBLE);
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right, 624);
  EXPECT_EQ(client.bottom, 441);

  // Two by two, with padding at the end of each row; the top byte is not part of the colour.
  const uint32_t frame[] = {0xFFFF0000, 0x0000FF00, 0xDEADBEEF,  //
                            0x000000FF, 0x00FFFFFF, 0xDEADBEEF};
  ASSERT_TRUE(win32sw::WindowPresent(window, frame, 2, 2, 3 * 4));
  EXPECT_EQ(Shown(window, 0, 0), 0xFF0000u);
  EXPECT_EQ(Shown(window, 623, 0), 0x00FF00u);
  EXPECT_EQ(Shown(window, 0, 440), 0x0000FFu);
  EXPECT_EQ(Shown(window, 623, 440), 0xFFFFFFu);

  // A frame of the client's own size arrives pixel for pixel.
  std::vector<uint32_t> exact(624 * 441, 0x00102030);
  exact[200 * 624 + 300] = 0x00A0B0C0;
  ASSERT_TRUE(win32sw::WindowPresent(window, exact.data(), 624, 441, 624 * 4));
  EXPECT_EQ(Shown(window, 300, 200), 0xA0B0C0u);
  EXPECT_EQ(Shown(window, 301, 200), 0x102030u);

  // Another buffer of the same size, as a flipping device presents.
  const std::vector<uint32_t> other(624 * 441, 0x00405060);
  ASSERT_TRUE(win32sw::WindowPresent(window, other.data(), 624, 441, 624 * 4));
  EXPECT_EQ(Shown(window, 300, 200), 0x405060u);
}

// Window events as SDL reports them, handled as the message loop would.
void SdlWindowEventApply(HWND window, Uint8 event) {
  SDL_Event sdlEvent{};
  sdlEvent.window.type = SDL_WINDOWEVENT;
  sdlEvent.window.windowID = SDL_GetWindowID(SdlWindowOf(window));
  sdlEvent.window.event = event;
  ASSERT_EQ(SDL_PushEvent(&sdlEvent), 1) << SDL_GetError();
  MessagesPump();
}

TEST_F(WindowTest, PresentingFollowsTheClientAreaThroughResizingMinimisingAndRestoring) {
  HWND window = RecordingWindowCreate(VelkorStyle | WS_VISIBLE);
  const uint32_t first[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
  ASSERT_TRUE(win32sw::WindowPresent(window, first, 2, 2, 2 * 4));

  // The surface SDL had is gone with the old size; the frame fills the new one.
  SDL_SetWindowSize(SdlWindowOf(window), 1248, 882);
  MessagesPump();
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  ASSERT_EQ(client.right, 1248);
  ASSERT_EQ(client.bottom, 882);
  ASSERT_TRUE(win32sw::WindowPresent(window, first, 2, 2, 2 * 4));
  EXPECT_EQ(Shown(window, 0, 0), 0xFF0000u);
  EXPECT_EQ(Shown(window, 1247, 0), 0x00FF00u);
  EXPECT_EQ(Shown(window, 0, 881), 0x0000FFu);
  EXPECT_EQ(Shown(window, 1247, 881), 0xFFFFFFu);

  // Minimised, a present succeeds and draws nothing; restored, the next one shows.
  const uint32_t second[] = {0x00808080, 0x00808080, 0x00808080, 0x00808080};
  SdlWindowEventApply(window, SDL_WINDOWEVENT_MINIMIZED);
  EXPECT_TRUE(win32sw::WindowPresent(window, second, 2, 2, 2 * 4));
  EXPECT_EQ(Shown(window, 0, 0), 0xFF0000u);
  SdlWindowEventApply(window, SDL_WINDOWEVENT_RESTORED);
  ASSERT_TRUE(win32sw::WindowPresent(window, second, 2, 2, 2 * 4));
  EXPECT_EQ(Shown(window, 0, 0), 0x808080u);
  EXPECT_EQ(Shown(window, 1247, 881), 0x808080u);
}

TEST_F(WindowTest, PresentingRefusesADeadWindowAndARowPitchTooShort) {
  HWND window = RecordingWindowCreate(VelkorStyle | WS_VISIBLE);
  const uint32_t frame[4] = {};
  EXPECT_FALSE(win32sw::WindowPresent(window, frame, 2, 2, 4));
  EXPECT_FALSE(win32sw::WindowPresent(window, frame, 2, 2, 7));
  EXPECT_TRUE(win32sw::WindowPresent(window, frame, 2, 2, 8));
  DestroyWindow(window);
  EXPECT_FALSE(win32sw::WindowPresent(window, frame, 2, 2, 8));
  RECT client;
  EXPECT_FALSE(GetClientRect(window, &client));
}

// A frame of the program's client size, one colour all over.
using Frame = std::vector<uint32_t>;
Frame FrameOf(uint32_t colour) { return Frame(624 * 441, colour); }

bool FramePresent(HWND window, const Frame& frame, const RECT* changed = nullptr) {
  return win32sw::WindowPresent(window, frame.data(), 624, 441, 624 * 4, changed);
}

TEST_F(WindowTest, PresentingCopiesOnlyWhatChangedIntoAWindowHoldingTheFrameBefore) {
  HWND window = RecordingWindowCreate(VelkorStyle | WS_VISIBLE);
  Frame frame = FrameOf(0x00102030);
  ASSERT_TRUE(FramePresent(window, frame));
  frame[10 * 624 + 10] = 0x00A0B0C0;
  frame[400 * 624 + 600] = 0x00A0B0C0;
  const RECT changed = {8, 8, 12, 12};
  ASSERT_TRUE(FramePresent(window, frame, &changed));
  EXPECT_EQ(Shown(window, 10, 10), 0xA0B0C0u);
  EXPECT_EQ(Shown(window, 600, 400), 0x102030u) << "the caller said it had not changed";
  // Nothing changed: nothing to copy.
  const RECT none = {0, 0, 0, 0};
  frame[10 * 624 + 10] = 0x00405060;
  ASSERT_TRUE(FramePresent(window, frame, &none));
  EXPECT_EQ(Shown(window, 10, 10), 0xA0B0C0u);
}

// Whatever came between a window's frame and the next from the same pixels, when it may have
// left the window without that frame, the next takes the whole frame whatever it says changed.
TEST_F(WindowTest, AWindowThatMayNotHoldTheFrameBeforeTakesAllOfIt) {
  HWND window = RecordingWindowCreate(VelkorStyle | WS_VISIBLE);
  HWND other = RecordingWindowCreate(VelkorStyle | WS_VISIBLE);
  const Frame elsewhere = FrameOf(0x00FFFFFF);
  const Frame tiny(4, 0x00FFFFFF);
  const std::pair<const char*, std::function<void(const Frame&)>> between[] = {
      {"resized and back",
       [&](const Frame&) {
         SDL_SetWindowSize(SdlWindowOf(window), 300, 200);
         MessagesPump();
         ASSERT_TRUE(FramePresent(window, elsewhere));
         SDL_SetWindowSize(SdlWindowOf(window), 624, 441);
         MessagesPump();
       }},
      {"another buffer", [&](const Frame&) { ASSERT_TRUE(FramePresent(window, elsewhere)); }},
      {"another window", [&](const Frame& frame) { ASSERT_TRUE(FramePresent(other, frame)); }},
      {"stretched",
       [&](const Frame&) {
         ASSERT_TRUE(win32sw::WindowPresent(window, tiny.data(), 2, 2, 2 * 4));
       }},
      {"minimised",
       [&](const Frame& frame) {
         SdlWindowEventApply(window, SDL_WINDOWEVENT_MINIMIZED);
         ASSERT_TRUE(FramePresent(window, frame));
         SdlWindowEventApply(window, SDL_WINDOWEVENT_RESTORED);
       }},
  };
  uint32_t colour = 0x00000010;
  for (const auto& [what, step] : between) {
    SCOPED_TRACE(what);
    Frame frame = FrameOf(colour);
    ASSERT_TRUE(FramePresent(window, frame));
    frame[400 * 624 + 600] = ++colour;
    step(frame);
    const RECT corner = {0, 0, 1, 1};
    ASSERT_TRUE(FramePresent(window, frame, &corner));
    EXPECT_EQ(Shown(window, 600, 400), colour);
    EXPECT_EQ(Shown(window, 300, 200), colour - 1);
  }
}

// The dummy display has only its own mode, 1024 by 768: asked for it, it switches to it; asked
// for another, it keeps its own and the window covers the desktop.
TEST_F(WindowTest, FullScreenSwitchesToAModeTheDisplayHasAndElseCoversTheDesktop) {
  for (const auto& [width, height, flags] :
       {std::tuple{800u, 600u, Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP}},
        std::tuple{1024u, 768u, Uint32{SDL_WINDOW_FULLSCREEN}}}) {
    HWND window = RecordingWindowCreate(VelkorStyle | WS_VISIBLE);
    ASSERT_TRUE(win32sw::WindowFullScreen(window, width, height));
    EXPECT_EQ(SDL_GetWindowFlags(SdlWindowOf(window)) & SDL_WINDOW_FULLSCREEN_DESKTOP, flags)
        << width << " x " << height;
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 1024);
    EXPECT_EQ(client.bottom, 768);
    DestroyWindow(window);
  }
}

}  // namespace
