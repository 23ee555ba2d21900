// SDL's video subsystem, started by the first call that needs a display.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win32/backends/sdl/sdl_backend.h"
#include "platform/win32/backends/sdl/sdl_window.h"
#include "platform/win32/backends/sdl/x11/x11_display.h"
#include "platform/win32/core/backend.h"

namespace win32sw {

namespace {

enum class VideoState { NotTried, Running, Unavailable };
VideoState State = VideoState::NotTried;

// True for the drivers that draw nowhere.
bool OffScreen() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver == nullptr || std::strcmp(driver, "dummy") == 0 ||
         std::strcmp(driver, "offscreen") == 0;
}

bool Named(const char* variable) {
  const char* value = SDL_getenv(variable);
  return value && *value;
}

// Starts SDL video on the driver it picks. False when it could not, or when it fell back on an
// off-screen driver although none was asked for: a window nobody could see.
bool VideoTry(bool driverChosen) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  if (driverChosen || !OffScreen()) return true;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return false;
}

// A server that is starting, or resetting after its last client left, refuses connections for
// a moment: the display is tried for about a second before it is called unavailable.
constexpr int OpenAttempts = 10;
constexpr Uint32 OpenRetryMilliseconds = 100;

// Opens the display the environment names, saying on standard error, in one line, why not.
// Wayland's own back end takes a display named alone; where both are, SDL takes X11.
bool VideoOpen() {
  if (Named("SDL_VIDEODRIVER")) {
    if (VideoTry(true)) return true;
    std::fprintf(stderr, "No display available: %s\n", SDL_GetError());
    return false;
  }
  if (!Named("DISPLAY")) {
    std::fprintf(stderr, "No display available: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  for (int attempt = 1;; ++attempt) {
    if (VideoTry(false)) return true;
    if (attempt == OpenAttempts) break;
    SDL_Delay(OpenRetryMilliseconds);
  }
  std::fprintf(stderr, "No display available: cannot connect to the X display %s\n",
               SDL_getenv("DISPLAY"));
  return false;
}

}  // namespace

bool SdlDesktop::Start(const char* windowClass) {
  if (State == VideoState::NotTried) {
    // SDL takes the class from the environment, not from its hints.
    if (windowClass) SDL_setenv("SDL_VIDEO_X11_WMCLASS", windowClass, 1);
    // Frames reach windows through their surfaces, an image in shared memory on X11. Left to
    // itself SDL would back the surfaces with an OpenGL renderer, which loads the GL driver
    // and remakes the X window under anyone who has found it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Ctrl+C and SIGTERM end the process as they would any other; SDL would turn them into a
    // quit event the program never asked for.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Closing a window is a close request for that window only (SDL_WINDOWEVENT_CLOSE);
    // a second, window-less quit event for the same click would close it twice.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    X11ErrorsWatch();
    if (VideoOpen()) {
      // Characters come from TranslateMessage, as on Windows, not from an input method.
      SDL_StopTextInput();
      State = VideoState::Running;
    } else {
      State = VideoState::Unavailable;
    }
  }
  return State == VideoState::Running;
}

bool SdlDesktop::OnScreen() { return Start(nullptr) && !OffScreen(); }

void SdlDesktop::Stop() {
  // What the presenters hold on the display goes before the connection to it.
  for (const auto& window : WindowsLive()) SdlWindowOf(*window).PresenterRelease();
  if (!X11TakenAway()) SDL_Quit();
  State = VideoState::NotTried;
}

DesktopBackend& SdlBackend() {
  static SdlDesktop backend;
  return backend;
}

}  // namespace win32sw
