#include "platform/win32/video.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

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

}  // namespace

bool VideoStart(const char* windowClass) {
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
    const bool driverChosen = SDL_getenv("SDL_VIDEODRIVER") != nullptr;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && !driverChosen && OffScreen()) {
      // With no display SDL falls back on an off-screen driver: a window nobody could see.
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      SDL_SetError("no X11 or Wayland display to show windows on");
      std::fprintf(stderr, "No display available: %s\n", SDL_GetError());
      State = VideoState::Unavailable;
    } else if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
      // Characters come from TranslateMessage, as on Windows, not from an input method.
      SDL_StopTextInput();
      State = VideoState::Running;
    } else {
      std::fprintf(stderr, "No display available: %s\n", SDL_GetError());
      State = VideoState::Unavailable;
    }
  }
  return State == VideoState::Running;
}

bool VideoOnScreen() { return VideoStart() && !OffScreen(); }

void VideoStop() {
  SDL_Quit();
  State = VideoState::NotTried;
}

}  // namespace win32sw
