// The box MessageBoxA shows, through SDL.
#include <SDL.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

#include "platform/win32/backends/sdl/sdl_backend.h"
#include "platform/win32/backends/sdl/sdl_window.h"

namespace win32sw {

namespace {

Uint32 MessageBoxFlags(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
      return SDL_MESSAGEBOX_WARNING;
    case MB_ICONINFORMATION:
      return SDL_MESSAGEBOX_INFORMATION;
    default:
      return 0;
  }
}

// SDL shows the dialog from a child process of its own on X11. A signal that ends the program
// would leave that child behind, showing the box to nobody's purpose until someone clicks OK:
// the child is tied to the program's life instead.
pid_t DialogParent = 0;  // the program, while one of its dialogs is being shown

void DialogChildTie() {
  if (DialogParent == 0) return;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  // The program may have ended between the fork and the line above.
  if (getppid() != DialogParent) _exit(0);
}

}  // namespace

void SdlMessageBoxShow(UINT type, const char* caption, const char* text, SDL_Window* owner) {
  // Fails only for want of memory, and then the box merely may outlive the program.
  [[maybe_unused]] static const int registered = pthread_atfork(nullptr, nullptr, DialogChildTie);
  DialogParent = getpid();
  SDL_ShowSimpleMessageBox(MessageBoxFlags(type), caption, text, owner);
  DialogParent = 0;
}

void SdlDesktop::MessageBox(UINT type, const char* caption, const char* text, const Window* owner) {
  SdlMessageBoxShow(type, caption, text, owner ? SdlWindowOf(*owner).sdl : nullptr);
}

}  // namespace win32sw
