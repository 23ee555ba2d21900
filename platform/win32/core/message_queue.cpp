// The message queue, in the Windows order: posted messages, then input, then the quit
// message, then WM_PAINT for a window with an invalid region. The display's events are turned
// into messages as they are fetched; with nothing pending, GetMessageA sleeps in the back end's
// wait.
#include "platform/win32/core/message_queue.h"

#include <algorithm>
#include <chrono>
#include <deque>

#include "platform/win32/core/backend.h"
#include "platform/win32/core/painting.h"
#include "platform/win32/core/window.h"

namespace win32sw {

namespace {

std::deque<MSG> Posted;
std::deque<MSG> Input;
bool QuitPending = false;
WPARAM QuitCode = 0;

// The wait is in slices; nothing here needs waking without an event. The slice bounds the harm
// of a wake-up the display might lose, and how long a wait polls a connection to the display
// that was lost while it waited (nothing can wake it then: the wake-up goes through that
// connection).
constexpr int WaitSliceMilliseconds = 100;

// The window filter of GetMessageA and PeekMessageA: (HWND)-1 asks for messages posted to no
// window.
HWND ThreadMessagesOnly() { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)); }

struct Filter {
  HWND window;
  UINT first;
  UINT last;
};

bool FilterValid(const Filter& filter) {
  return !filter.window || filter.window == ThreadMessagesOnly() || WindowFind(filter.window);
}

bool FilterAccepts(const Filter& filter, HWND window, UINT message) {
  if (filter.window == ThreadMessagesOnly() ? window != nullptr
                                            : filter.window && window != filter.window) {
    return false;
  }
  return (filter.first == 0 && filter.last == 0) ||
         (message >= filter.first && message <= filter.last);
}

// Milliseconds, as GetTickCount counts them, from a clock that never goes back.
DWORD TickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

MSG MessageMake(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{window, message, wParam, lParam, TickCount(), POINT{0, 0}};
}

bool QueueTake(std::deque<MSG>& queue, const Filter& filter, bool remove, MSG& taken) {
  const auto found = std::find_if(queue.begin(), queue.end(), [&filter](const MSG& queued) {
    return FilterAccepts(filter, queued.hwnd, queued.message);
  });
  if (found == queue.end()) return false;
  taken = *found;
  if (remove) queue.erase(found);
  return true;
}

bool MessageNext(const Filter& filter, bool remove, MSG& taken) {
  if (QueueTake(Posted, filter, remove, taken) || QueueTake(Input, filter, remove, taken)) {
    return true;
  }
  // The quit message ignores the filter, as on Windows.
  if (QuitPending) {
    taken = MessageMake(nullptr, WM_QUIT, QuitCode, 0);
    if (remove) QuitPending = false;
    return true;
  }
  // Paint is made up, never queued: it comes for as long as the region stays invalid.
  for (const auto& window : WindowsLive()) {
    const HWND handle = WindowHandle(*window);
    if (!RectEmpty(window->update) && FilterAccepts(filter, handle, WM_PAINT)) {
      taken = MessageMake(handle, WM_PAINT, 0, 0);
      return true;
    }
  }
  return false;
}

// A window taken away from outside is destroyed here, between messages, so that its procedure
// hears WM_DESTROY as it would on Windows.
void WindowsGoneDestroy() {
  for (bool destroyed = true; destroyed;) {
    destroyed = false;
    for (const auto& window : WindowsLive()) {
      if (!window->destroying && WindowGone(*window)) {
        DestroyWindow(WindowHandle(*window));
        destroyed = true;
        break;
      }
    }
  }
}

// Takes in what the display told, waiting up to `timeoutMilliseconds` for something. False
// when the display's events cannot be had.
bool EventsTake(int timeoutMilliseconds) {
  const bool taken = BackendEventsTake(timeoutMilliseconds);
  WindowsGoneDestroy();
  return taken;
}

}  // namespace

void MessagePost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Posted.push_back(MessageMake(window, message, wParam, lParam));
}

void MessageInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Input.push_back(MessageMake(window, message, wParam, lParam));
}

void MessagesForget(HWND window) {
  for (std::deque<MSG>* queue : {&Posted, &Input}) {
    queue->erase(std::remove_if(queue->begin(), queue->end(),
                                [window](const MSG& queued) { return queued.hwnd == window; }),
                 queue->end());
  }
}

}  // namespace win32sw

extern "C" BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT first, UINT last) {
  using namespace win32sw;
  const Filter filter{window, first, last};
  if (!message || !FilterValid(filter)) return -1;
  for (;;) {
    if (!EventsTake(0)) return -1;
    if (MessageNext(filter, true, *message)) return message->message != WM_QUIT;
    if (!EventsTake(WaitSliceMilliseconds)) return -1;
  }
}

extern "C" BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT first, UINT last,
                                    UINT removal) {
  using namespace win32sw;
  const Filter filter{window, first, last};
  if (!message || !FilterValid(filter)) return FALSE;
  EventsTake(0);
  return MessageNext(filter, removal & PM_REMOVE, *message);
}

extern "C" BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace win32sw;
  // No window: a message for the thread itself.
  if (window && !WindowFind(window)) return FALSE;
  MessagePost(window, message, wParam, lParam);
  return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int exitCode) {
  win32sw::QuitPending = true;
  win32sw::QuitCode = static_cast<WPARAM>(exitCode);
}
