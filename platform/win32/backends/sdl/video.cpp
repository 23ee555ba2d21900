// SDL's video subsystem, started by the first call that needs a display.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win32/backends/sdl/sdl_window.h"
#include "platform/win32/backends/sdl/wayland/libdecor_plugins.h"
#include "platform/win32/backends/sdl/wayland/wayland_globals.h"
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

// True when SDL_VIDEODRIVER asks for Wayland first.
bool WaylandAskedFor() {
  const std::string drivers = SDL_getenv("SDL_VIDEODRIVER");
  return drivers.substr(0, drivers.find(',')) == "wayland";
}

// SDL's Wayland driver takes for granted what some compositors lack (it dies where there is no
// seat): what the program needs of the compositor WAYLAND_DISPLAY names is asked first, and the
// compositor is said in one line when it lacks any of it. Where it leaves the title bar to the
// program and libdecor has nothing to draw one with, one line says so instead of libdecor's
// two, and the window goes without.
bool WaylandUsable() {
  const WaylandCompositorOffer offer = WaylandCompositorAsk();
  if (!offer.reached) return true;
  if (!offer.lacks.empty()) {
    std::fprintf(stderr, "No display available: the Wayland compositor %s offers %s\n",
                 SDL_getenv("WAYLAND_DISPLAY"), offer.lacks.c_str());
    return false;
  }
  if (!offer.decorates && !LibdecorPluginFound()) {
    std::fprintf(stderr,
                 "The window has no title bar: the Wayland compositor %s leaves it to the "
                 "program, and libdecor has no plugin to draw it (libdecor-0-plugin-1-cairo)\n",
                 SDL_getenv("WAYLAND_DISPLAY"));
    SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
  }
  return true;
}

// Opens the display the environment names, saying on standard error, in one line, why not.
bool VideoOpen() {
  const bool x11 = Named("DISPLAY");
  const bool wayland = Named("WAYLAND_DISPLAY");
  if (Named("SDL_VIDEODRIVER")) {
    if (WaylandAskedFor() && wayland && !WaylandUsable()) return false;
    if (VideoTry(true)) return true;
    std::fprintf(stderr, "No display available: %s\n", SDL_GetError());
    return false;
  }
  if (!x11 && !wayland) {
    std::fprintf(stderr, "No display available: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
    return false;
  }
  if (wayland && !x11 && !WaylandUsable()) return false;
  // Wayland's library complains on standard error of a display nobody pointed it at. Where
  // both are named SDL takes X11, and Wayland only should X11 fail: not a compositor it
  // would die on.
  if (!wayland || (x11 && !WaylandCompositorAsk().lacks.empty())) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  }
  for (int attempt = 1;; ++attempt) {
    if (VideoTry(false)) return true;
    if (attempt == OpenAttempts) break;
    SDL_Delay(OpenRetryMilliseconds);
  }
  std::string tried;
  if (wayland) tried = std::string("the Wayland display ") + SDL_getenv("WAYLAND_DISPLAY");
  if (x11) tried += std::string(wayland ? " or " : "") + "the X display " + SDL_getenv("DISPLAY");
  std::fprintf(stderr, "No display available: cannot connect to %s\n", tried.c_str());
  return false;
}

}  // namespace

bool BackendStart(const char* windowClass) {
  if (State == VideoState::NotTried) {
    // SDL takes the class from the environment, not from its hints; its Wayland driver falls
    // back on the X11 name.
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

bool BackendOnScreen() { return BackendStart() && !OffScreen(); }

void BackendStop() {
  // What the presenters hold on the display goes before the connection to it.
  for (const auto& window : WindowsLive()) SdlWindowOf(*window).PresenterRelease();
  if (!X11TakenAway()) SDL_Quit();
  State = VideoState::NotTried;
}

}  // namespace win32sw
