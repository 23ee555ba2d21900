// What the page hears reaches the program as Windows' messages, through the page's own code
// (browser_page.js) as its listeners call it. Under node there is no page: the tests call it with
// events shaped as a browser's, and its waits run in node's event loop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <emscripten.h>

#include <algorithm>

#include "platform/win32/backends/browser/browser_window.h"
#include "win32/recording_window.h"

using ::testing::ElementsAre;

namespace {

using BrowserPageTest = RecordingTest;

int PageId(HWND window) {
  return static_cast<const win32sw::BrowserWindow&>(*win32sw::WindowFind(window)->shown).id;
}

struct HeardKey {
  const char* type;  // "keydown" or "keyup"
  const char* code;
  bool alt = false;
  bool repeat = false;
  bool shift = false;
};

void KeyHeard(int id, const HeardKey& key) {
  EM_ASM(
      {
    var shift = !!$5;
        VelkorPage.keyHeard($0, {
          type: UTF8ToString($1),
          code: UTF8ToString($2),
          altKey: !!$3,
          ctrlKey: false,
          shiftKey: shift,
          repeat: !!$4,
          getModifierState: function(name) { return false; },
});
},
      id, key.type, key.code, key.alt, key.repeat, key.shift);
}

const ReceivedMessage* FirstReceived(UINT message) {
  const auto found = std::find_if(Received.begin(), Received.end(),
                                  [message](const auto& r) { return r.message == message; });
  return found == Received.end() ? nullptr : &*found;
}

TEST_F(BrowserPageTest, KeysArriveAsKeyMessagesWithTheirRepeatsAndCharacters) {
  HWND window = RecordingWindowCreate();
  const int id = PageId(window);
  KeyHeard(id, {"keydown", "KeyA"});
  KeyHeard(id, {"keydown", "KeyA", false, true});
  KeyHeard(id, {"keyup", "KeyA"});
  KeyHeard(id, {"keydown", "IntlRo"});  // not on a US keyboard: nothing
  EXPECT_FALSE(MessagesPump());
  // The page cannot be asked which modifiers are held: the last key event it heard tells.
  KeyHeard(id, {"keydown", "KeyB", false, false, true});
  EXPECT_FALSE(MessagesPump());
  std::vector<std::pair<UINT, DWORD>> keys;
  for (const ReceivedMessage& received : Received) {
    if (received.message == WM_KEYDOWN || received.message == WM_KEYUP ||
        received.message == WM_CHAR) {
      keys.emplace_back(received.message, static_cast<DWORD>(received.lParam));
      EXPECT_EQ(received.window, window);
    }
  }
  EXPECT_THAT(keys, ElementsAre(std::pair<UINT, DWORD>(WM_KEYDOWN, 0x001E0001),
                                std::pair<UINT, DWORD>(WM_CHAR, 0x001E0001),
                                std::pair<UINT, DWORD>(WM_KEYDOWN, 0x401E0001),
                                std::pair<UINT, DWORD>(WM_CHAR, 0x401E0001),
                                std::pair<UINT, DWORD>(WM_KEYUP, 0xC01E0001),
                                std::pair<UINT, DWORD>(WM_KEYDOWN, 0x00300001),
                                std::pair<UINT, DWORD>(WM_CHAR, 0x00300001)));
  const auto typed = std::count_if(Received.begin(), Received.end(), [](const auto& r) {
    return r.message == WM_CHAR && (r.wParam == 'a' || r.wParam == 'B');
  });
  EXPECT_EQ(typed, 3) << "a, a held, then B with Shift";
}

TEST_F(BrowserPageTest, AltF4WhereThePageIsGivenItEndsInClose) {
  HWND window = RecordingWindowCreate();
  KeyHeard(PageId(window), {"keydown", "AltLeft", true});
  KeyHeard(PageId(window), {"keydown", "F4", true});
  EXPECT_TRUE(MessagesPump());
  const ReceivedMessage* keyDown = FirstReceived(WM_SYSKEYDOWN);
  ASSERT_NE(keyDown, nullptr);
  EXPECT_EQ(keyDown->wParam, WPARAM{VK_MENU});
  EXPECT_THAT(ReceivedAmong({WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              ElementsAre(WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY));
}

TEST_F(BrowserPageTest, TheCloseButtonAsksAsAWindowManagersCloseDoes) {
  HWND window = RecordingWindowCreate();
  EM_ASM({ VelkorPage.closeClicked($0); }, PageId(window));
  WPARAM quitCode = 99;
  EXPECT_TRUE(MessagesPump(&quitCode));
  EXPECT_EQ(quitCode, 0u);
  const ReceivedMessage* command = FirstReceived(WM_SYSCOMMAND);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->wParam, WPARAM{SC_CLOSE});
  EXPECT_THAT(ReceivedAmong({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              ElementsAre(WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY));
}

TEST_F(BrowserPageTest, GetMessageWaitsInThePagesEventLoopUntilAKeyComes) {
  HWND window = RecordingWindowCreate();
  // Heard only once the wait has given the event loop back: a wait that held it would never
  // end, and the test would time out.
  EM_ASM({
    var id = $0;
        setTimeout(function() {
          VelkorPage.keyHeard(id, {
            type: 'keydown',
            code: 'Space',
            getModifierState: function() { return false; },
  });
}, 150);
},
      PageId(window));
MSG message{};
ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
EXPECT_EQ(message.wParam, WPARAM{VK_SPACE});
EXPECT_EQ(message.hwnd, window);
}

// With two windows on the page, what the page hears for one goes to that one.
TEST_F(BrowserPageTest, EachWindowHearsItsOwnKeys) {
  HWND first = RecordingWindowCreate();
  HWND second = RecordingWindowCreate();
  KeyHeard(PageId(second), {"keydown", "KeyA"});
  KeyHeard(PageId(first), {"keydown", "KeyB"});
  EXPECT_FALSE(MessagesPump());
  std::vector<std::pair<HWND, WPARAM>> keys;
  for (const ReceivedMessage& received : Received) {
    if (received.message == WM_KEYDOWN) keys.emplace_back(received.window, received.wParam);
  }
  EXPECT_THAT(keys, ElementsAre(std::pair{second, WPARAM{'A'}}, std::pair{first, WPARAM{'B'}}));
}

TEST_F(BrowserPageTest, EventsOfADestroyedWindowAreDropped) {
  HWND window = RecordingWindowCreate();
  const int id = PageId(window);
  DestroyWindow(window);
  EXPECT_TRUE(MessagesPump()) << "the recording window's destruction quits";
  Received.clear();
  EM_ASM({ VelkorPage.closeClicked($0); }, id);
  KeyHeard(id, {"keydown", "KeyA"});
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
