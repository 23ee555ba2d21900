// How a window's frames reach the screen. Each display system has its own way of letting the
// server or compositor scale a frame to the client area, as the graphics card does on Windows;
// SDL's window surface, scaled on the processor, is the way that works everywhere.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_SDL_PRESENTER_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_SDL_PRESENTER_H

#include <windows.h>

#include <memory>
#include <string>

#include <SDL.h>

#include "platform/win32/core/backend.h"

namespace win32sw {

class Presenter {
 public:
  virtual ~Presenter() = default;

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
};

// The presenter of the display system SDL shows `window` on, or SDL's window surface where
// that system's own way is missing (said once on standard error).
std::unique_ptr<Presenter> PresenterChoose(SDL_Window* window);

// False once a window was found on a display whose pixels neither the display system's own
// presenter nor SDL's surface can convert 32-bit frames to (8-bit colour maps without RENDER's
// help, say).
bool PresentersShowDisplay();

}  // namespace win32sw

#endif
