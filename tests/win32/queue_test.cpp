// The message queue: the Windows order, synthesised paint, closing, keys and waiting.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <utility>

#include "win32/recording_window.h"
#include "win32/sdl_window_input.h"

using ::testing::ElementsAre;

namespace {

constexpr DWORD Hidden = WS_OVERLAPPEDWINDOW;
constexpr DWORD Visible = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr LPARAM AltDown = LPARAM{KF_ALTDOWN} << 16;

class MessageQueueTest : public RecordingTest {
 protected:
  // The next message, which must come without waiting.
  static MSG Next() {
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_NE(GetMessageA(&message, nullptr, 0, 0), -1);
    return message;
  }
  static bool Pending() {
    MSG message;
    return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
};

TEST_F(MessageQueueTest, PostedMessagesComeFirstInTheirOrderThenPaint) {
  HWND window = RecordingWindowCreate(Visible);
  PostMessageA(window, WM_USER + 1, 10, 11);
  PostMessageA(window, WM_USER + 2, 20, 21);
  MSG first = Next();
  EXPECT_EQ(first.hwnd, window);
  EXPECT_EQ(first.message, WM_USER + 1u);
  EXPECT_EQ(first.wParam, 10u);
  EXPECT_EQ(first.lParam, 11);
  EXPECT_EQ(Next().message, WM_USER + 2u);
  MSG paint = Next();
  EXPECT_EQ(paint.message, WM_PAINT);
  EXPECT_EQ(paint.hwnd, window);
}

TEST_F(MessageQueueTest, QuitComesAfterPostedMessagesAndBeforePaint) {
  HWND window = RecordingWindowCreate(Visible);
  PostQuitMessage(7);
  PostMessageA(window, WM_USER, 0, 0);
  MSG message;
  ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
  EXPECT_EQ(message.message, WM_USER);
  ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), FALSE);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(Next().message, WM_PAINT);
}

TEST_F(MessageQueueTest, PaintComesOnlyForAVisibleWindowWithAnInvalidRegion) {
  HWND window = RecordingWindowCreate(Hidden);
  InvalidateRect(window, nullptr, FALSE);
  EXPECT_FALSE(Pending()) << "a hidden window has nothing to paint";

  EXPECT_FALSE(ShowWindow(window, SW_SHOWDEFAULT)) << "it was hidden";
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_PAINT);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "fetching paint keeps it";
  EXPECT_EQ(message.message, WM_PAINT);

  PAINTSTRUCT paint;
  EXPECT_NE(BeginPaint(window, &paint), nullptr);
  EXPECT_EQ(paint.rcPaint.right, 624);
  EXPECT_EQ(paint.rcPaint.bottom, 441);
  EXPECT_TRUE(paint.fErase) << "showing asks for the background, which no one erased";
  // The erase was asked of the procedure with the paint's device context, lParam unused.
  const auto erase = std::find_if(Received.begin(), Received.end(),
                                  [](const auto& r) { return r.message == WM_ERASEBKGND; });
  ASSERT_NE(erase, Received.end());
  EXPECT_EQ(erase->wParam, reinterpret_cast<WPARAM>(paint.hdc));
  EXPECT_EQ(erase->lParam, 0);
  EndPaint(window, &paint);
  EXPECT_FALSE(Pending()) << "BeginPaint validates";

  const RECT part{10, 20, 30, 40};
  InvalidateRect(window, &part, FALSE);
  EXPECT_TRUE(Pending());
  BeginPaint(window, &paint);
  EXPECT_EQ(paint.rcPaint.left, 10);
  EXPECT_EQ(paint.rcPaint.top, 20);
  EXPECT_EQ(paint.rcPaint.right, 30);
  EXPECT_EQ(paint.rcPaint.bottom, 40);
  EXPECT_FALSE(paint.fErase);
  EndPaint(window, &paint);
  EXPECT_FALSE(Pending());
}

TEST_F(MessageQueueTest, UpdateWindowSendsOnePaintStraightToTheProcedure) {
  HWND window = RecordingWindowCreate(Visible);
  Received.clear();
  EXPECT_TRUE(UpdateWindow(window));
  EXPECT_THAT(ReceivedAmong({WM_PAINT}), ElementsAre(WM_PAINT));
  EXPECT_FALSE(Pending()) << "DefWindowProcA's paint validated the window";
  UpdateWindow(window);
  EXPECT_THAT(ReceivedAmong({WM_PAINT}), ElementsAre(WM_PAINT)) << "nothing left to paint";
}

TEST_F(MessageQueueTest, CloseDestroysTheWindowAndItsDestructionQuits) {
  HWND window = RecordingWindowCreate(Visible);
  PostMessageA(window, WM_CLOSE, 0, 0);
  WPARAM quitCode = 99;
  EXPECT_TRUE(MessagesPump(&quitCode));
  EXPECT_EQ(quitCode, 0u);
  EXPECT_THAT(ReceivedAmong({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
              ElementsAre(WM_CLOSE, WM_DESTROY, WM_NCDESTROY));
  RECT client;
  EXPECT_FALSE(GetClientRect(window, &client)) << "the window is gone";
  EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
  EXPECT_FALSE(Pending()) << "no paint for a destroyed window";
}

TEST_F(MessageQueueTest, AltF4EndsInClose) {
  HWND window = RecordingWindowCreate(Hidden);
  EXPECT_EQ(DefWindowProcA(window, WM_SYSKEYDOWN, 'A', AltDown | 1), 0) << "a system key answers 0";
  SdlKeyPush(window, SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT);
  EXPECT_TRUE(MessagesPump());
  ASSERT_FALSE(Received.empty());
  const auto keyDown = std::find_if(Received.begin(), Received.end(), [](const auto& received) {
    return received.message == WM_SYSKEYDOWN;
  });
  ASSERT_NE(keyDown, Received.end());
  EXPECT_EQ(keyDown->wParam, VK_F4);
  EXPECT_TRUE(keyDown->lParam & AltDown);
  EXPECT_THAT(ReceivedAmong({WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              ElementsAre(WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY));
}

// A window the display uncovered or resized is painted again, all of it, over a background to
// erase.
TEST_F(MessageQueueTest, AnExposedOrResizedWindowIsPaintedWholeOverAnErasedBackground) {
  HWND window = RecordingWindowCreate(Hidden);
  ShowWindow(window, SW_SHOWDEFAULT);
  const struct {
    Uint8 event;
    LONG width, height;
  } happenings[] = {{SDL_WINDOWEVENT_EXPOSED, 624, 441}, {SDL_WINDOWEVENT_SIZE_CHANGED, 300, 200}};
  for (const auto& happening : happenings) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    ASSERT_FALSE(Pending());
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.event = happening.event;
    event.window.windowID = SDL_GetWindowID(SdlWindowOf(window));
    event.window.data1 = happening.width;
    event.window.data2 = happening.height;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    EXPECT_EQ(Next().message, WM_PAINT);
    BeginPaint(window, &paint);
    EXPECT_TRUE(paint.fErase) << int{happening.event};
    EXPECT_EQ(paint.rcPaint.left, 0);
    EXPECT_EQ(paint.rcPaint.top, 0);
    EXPECT_EQ(paint.rcPaint.right, happening.width);
    EXPECT_EQ(paint.rcPaint.bottom, happening.height);
    EndPaint(window, &paint);
  }
}

TEST_F(MessageQueueTest, WindowManagerCloseIsTheCloseButtonsSysCommand) {
  HWND window = RecordingWindowCreate(Hidden);
  SDL_Event event{};
  event.window.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  event.window.windowID = SDL_GetWindowID(SdlWindowOf(window));
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  MSG message = Next();
  EXPECT_EQ(message.hwnd, window);
  EXPECT_EQ(message.message, WM_SYSCOMMAND);
  EXPECT_EQ(message.wParam, SC_CLOSE);
  EXPECT_EQ(DispatchMessageA(&message), 0) << "a system command carried out answers 0";
  EXPECT_TRUE(MessagesPump());
  EXPECT_THAT(ReceivedAmong({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              ElementsAre(WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY));
}

TEST_F(MessageQueueTest, SessionQuitAsksEveryWindowToClose) {
  HWND first = RecordingWindowCreate(Hidden);
  HWND second = RecordingWindowCreate(Hidden);
  SDL_Event event{};
  event.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  for (HWND window : {first, second}) {
    MSG message = Next();
    EXPECT_EQ(message.hwnd, window);
    EXPECT_EQ(message.message, WM_SYSCOMMAND);
    EXPECT_EQ(message.wParam, SC_CLOSE);
  }
  EXPECT_FALSE(Pending()) << "a close request, never the quit message itself";
}

TEST_F(MessageQueueTest, EscapeArrivesAsVkEscapeAndTypesEscape) {
  HWND window = RecordingWindowCreate(Hidden);
  SdlKeyPush(window, SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
  MSG key = Next();
  EXPECT_EQ(key.hwnd, window);
  EXPECT_EQ(key.message, WM_KEYDOWN);
  EXPECT_EQ(key.wParam, VK_ESCAPE);
  EXPECT_EQ(key.lParam, 0x00010001) << "scan code 1, one press";
  EXPECT_TRUE(TranslateMessage(&key));
  MSG character = Next();
  EXPECT_EQ(character.message, WM_CHAR);
  EXPECT_EQ(character.wParam, 0x1Bu);
}

// With Ctrl held a letter types its control character: Ctrl+A 0x01 to Ctrl+Z 0x1A.
TEST_F(MessageQueueTest, ControlWithALetterTypesItsControlCharacter) {
  HWND window = RecordingWindowCreate(Hidden);
  SDL_SetModState(KMOD_LCTRL);
  for (const auto& [scancode, typed] :
       {std::pair{SDL_SCANCODE_A, 0x01u}, std::pair{SDL_SCANCODE_C, 0x03u},
        std::pair{SDL_SCANCODE_Z, 0x1Au}}) {
    SdlKeyPush(window, SDL_KEYDOWN, scancode, KMOD_LCTRL);
    MSG key = Next();
    ASSERT_EQ(key.message, WM_KEYDOWN);
    EXPECT_TRUE(TranslateMessage(&key));
    ASSERT_TRUE(Pending()) << "no character typed";
    MSG character = Next();
    EXPECT_EQ(character.message, WM_CHAR);
    EXPECT_EQ(character.wParam, typed);
  }
  SDL_SetModState(KMOD_NONE);
}

// SDL names no window for a key that comes before the keyboard focus does (one sent straight
// to the window, or just after it is shown again).
TEST_F(MessageQueueTest, AKeyBeforeTheFocusReachesTheOnlyWindowAndNoneOfTwo) {
  SDL_Event event{};
  event.key.type = SDL_KEYDOWN;
  event.key.windowID = 0;
  event.key.state = SDL_PRESSED;
  event.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  event.key.keysym.sym = SDLK_ESCAPE;
  HWND only = RecordingWindowCreate(Hidden);
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  MSG key = Next();
  EXPECT_EQ(key.hwnd, only);
  EXPECT_EQ(key.message, WM_KEYDOWN);
  EXPECT_EQ(key.wParam, VK_ESCAPE);

  RecordingWindowCreate(Hidden);
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  EXPECT_FALSE(Pending()) << "which of two windows it was for is unknown";
}

TEST_F(MessageQueueTest, PostedMessagesOvertakeInputThatCameFirst) {
  HWND window = RecordingWindowCreate(Hidden);
  SdlKeyPush(window, SDL_KEYDOWN, SDL_SCANCODE_A);
  MSG key;
  ASSERT_TRUE(PeekMessageA(&key, nullptr, 0, 0, PM_NOREMOVE));  // the key is queued now
  PostMessageA(window, WM_USER, 0, 0);
  EXPECT_EQ(Next().message, WM_USER);
  EXPECT_EQ(Next().message, WM_KEYDOWN);
}

TEST_F(MessageQueueTest, FiltersSelectByWindowAndRangeAndADeadWindowIsAnError) {
  HWND first = RecordingWindowCreate(Hidden);
  HWND second = RecordingWindowCreate(Hidden);
  PostMessageA(first, WM_USER, 0, 0);
  PostMessageA(second, WM_USER + 5, 0, 0);
  MSG message;
  ASSERT_EQ(GetMessageA(&message, second, 0, 0), TRUE);
  EXPECT_EQ(message.message, WM_USER + 5u);
  PostMessageA(second, WM_USER + 6, 0, 0);
  ASSERT_EQ(GetMessageA(&message, nullptr, WM_USER + 1, WM_USER + 9), TRUE);
  EXPECT_EQ(message.message, WM_USER + 6u);
  DestroyWindow(second);
  EXPECT_EQ(GetMessageA(&message, second, 0, 0), -1);
  message.hwnd = second;
  EXPECT_EQ(DispatchMessageA(&message), 0) << "nothing to dispatch to";
  // No MSG to fill is an error too, as GetMessageA's documentation has it, with the first
  // window's message still waiting.
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER + 0u);
}

TEST_F(MessageQueueTest, WaitingForAMessageSleepsInsteadOfSpinning) {
  HWND window = RecordingWindowCreate(Hidden);
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0) << SDL_GetError();
  static HWND keyTarget;
  keyTarget = window;
  // A key press 300 ms from now, from SDL's timer thread, is the only thing that can arrive.
  const SDL_TimerID timer = SDL_AddTimer(
      300,
      [](Uint32, void*) -> Uint32 {
        SdlKeyPush(keyTarget, SDL_KEYDOWN, SDL_SCANCODE_SPACE);
        return 0;
      },
      nullptr);
  ASSERT_NE(timer, 0) << SDL_GetError();

  timespec cpuBefore, cpuAfter;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuBefore);
  const auto wallBefore = std::chrono::steady_clock::now();
  MSG message;
  ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
  const auto wall = std::chrono::steady_clock::now() - wallBefore;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuAfter);
  const auto cpu = std::chrono::seconds(cpuAfter.tv_sec - cpuBefore.tv_sec) +
                   std::chrono::nanoseconds(cpuAfter.tv_nsec - cpuBefore.tv_nsec);

  EXPECT_EQ(message.message, WM_KEYDOWN);
  EXPECT_EQ(message.wParam, VK_SPACE);
  EXPECT_GE(wall, std::chrono::milliseconds(250)) << "it waited for the key";
  EXPECT_LT(cpu * 4, wall) << "a busy loop would use the processor all the while";
  RecordProperty(
      "wait_wall_us",
      std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(wall).count()));
  RecordProperty(
      "wait_cpu_us",
      std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(cpu).count()));
}

}  // namespace
