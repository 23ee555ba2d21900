// What the page heard, handed to the Windows core as its messages. With nothing to hand, the
// wait gives the page back to the browser: its listeners and timers run meanwhile, and one of
// them ends the wait.
#include "platform/win32/backends/browser/browser_keys.h"
#include "platform/win32/backends/browser/browser_window.h"
#include "platform/win32/backends/browser/page_calls.h"
#include "platform/win32/core/backend.h"
#include "platform/win32/core/window_events.h"

namespace win32sw {

namespace {

// The page cannot be asked which modifiers are held; the last key event said.
KeyModifiers Modifiers;

void KeyEventApply(Window* window, const PageEvent& event) {
  Modifiers.shift = event.shift;
  Modifiers.control = event.control;
  Modifiers.capsLock = event.capsLock;
  KeyCode code;
  if (!KeyCodeFromDom(event.code, code)) return;
  WindowKey(window, KeyMessageMake(code, event.down, event.repeat, event.alt, event.control));
}

bool EventsApply() {
  bool taken = false;
  PageEvent event;
  while (PageEventTake(&event)) {
    taken = true;
    Window* window = BrowserWindowFind(event.window);
    if (!window) continue;  // destroyed since
    if (event.kind == PageEventClose) WindowCloseRequested(*window);
    if (event.kind == PageEventKey) KeyEventApply(window, event);
  }
  return taken;
}

}  // namespace

bool BackendEventsTake(int timeoutMilliseconds) {
  if (!EventsApply() && timeoutMilliseconds > 0) {
    PageEventsWait(timeoutMilliseconds);
    EventsApply();
  }
  return true;
}

KeyModifiers BackendKeyModifiers() { return Modifiers; }

}  // namespace win32sw
