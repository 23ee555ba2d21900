// What the Windows core asks of the display system its windows are on, and nothing more: the
// core keeps every Windows rule (the queue's order, painting, dispatch, closing), a back end only
// makes windows real there. One back end is linked into a program: SDL's on the desktop, the
// browser's in a page. What a back end hears from its display goes back through
// window_events.h.
#ifndef VELKOR_PLATFORM_WIN32_CORE_BACKEND_H
#define VELKOR_PLATFORM_WIN32_CORE_BACKEND_H

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32/stand_in.h"

namespace win32sw {

struct Window;

// A 32-bit 0x00RRGGBB frame, `pitch` bytes between rows.
struct FrameView {
  const uint32_t* pixels = nullptr;
  UINT width = 0;
  UINT height = 0;
  INT pitch = 0;
};

// The display system's side of one window.
class BackendWindow {
 public:
  virtual ~BackendWindow() = default;

  virtual void Show() = 0;
  virtual void Hide() = 0;

  // Shows `frame` across a client area of `clientWidth` by `clientHeight` (neither 0).
  // `changed`, when given, bounds the pixels that differ from the frame of the previous call;
  // null means all of them. False when the frame could not be shown; `Failure` says why.
  virtual bool Present(const FrameView& frame, const RECT* changed, int clientWidth,
                       int clientHeight) = 0;

  // The window's contents are gone (exposed, restored, shown again): the next present sends
  // the whole client area.
  virtual void Invalidate() = 0;

  // Waits for the `count`-th refresh from now of the display the window is on. False when the
  // display does not tell its refreshes, or stopped telling them: the caller keeps time itself.
  virtual bool RefreshWait(UINT count) = 0;

  // Why the last present failed, for the one line on standard error.
  virtual std::string Failure() const = 0;

  // True once the window can no longer be shown: taken away from outside, through the display
  // system it is on.
  virtual bool Gone() const = 0;

  // Makes the window cover the display, in a mode of `width` by `height` where the display has
  // one; the client size it then has. False, said on standard error, when it cannot.
  virtual bool FullScreen(UINT width, UINT height, LONG& clientWidth, LONG& clientHeight) = 0;
};

// Where a new window goes: its client area, at `x`, `y` of the screen unless `placedBySystem`.
struct WindowPlacement {
  const char* title = "";
  bool placedBySystem = true;
  int x = 0;
  int y = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  bool resizable = false;
};

// Opens the display on the first call. False where there is none; the reason is written to
// standard error once, and later calls fail at once. Windows show `windowClass` (X11's
// WM_CLASS, Wayland's app id) where the display names windows by class: the first call's is
// every window's.
bool BackendStart(const char* windowClass = nullptr);

// True when the display shows windows to someone (not a headless stand-in for one).
bool BackendOnScreen();

// Closes the display; the process is about to end.
void BackendStop();

// Makes `window` real on the display, hidden. Null, said on standard error, when it cannot.
std::unique_ptr<BackendWindow> BackendWindowCreate(Window& window,
                                                   const WindowPlacement& placement);

// Hands what the display has told since the last call to window_events.h; with nothing to
// hand, waits up to `timeoutMilliseconds` for something. False when the display's events
// cannot be had at all (said on standard error).
bool BackendEventsTake(int timeoutMilliseconds);

// The display's mode. False, said on standard error, when it cannot be had.
bool BackendDisplayMode(DisplayModeInfo& mode);

// Shows a box of one OK button over `owner` (may be null) and returns once it is dismissed.
void BackendMessageBox(UINT type, const char* caption, const char* text, const Window* owner);

// The modifier keys held now, for the characters keys type.
struct KeyModifiers {
  bool shift = false;
  bool control = false;
  bool capsLock = false;
};
KeyModifiers BackendKeyModifiers();

}  // namespace win32sw

#endif
