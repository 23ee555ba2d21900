// MessageBoxA: the message goes to standard error always, so it is never lost; a dialog with
// one OK button shows it too wherever there is a display.
#include <windows.h>

#include <SDL.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "platform/win32/video.h"
#include "platform/win32/window.h"

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

void DialogShow(UINT type, const char* caption, const char* text, SDL_Window* parent) {
  // Fails only for want of memory, and then the box merely may outlive the program.
  [[maybe_unused]] static const int registered = pthread_atfork(nullptr, nullptr, DialogChildTie);
  DialogParent = getpid();
  SDL_ShowSimpleMessageBox(MessageBoxFlags(type), caption, text, parent);
  DialogParent = 0;
}

}  // namespace

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  using namespace win32sw;
  // Windows captions a box given no caption "Error".
  if (!caption) caption = "Error";
  if (!text) text = "";
  const std::string line = std::string(caption) + ": " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  if (VideoOnScreen()) {
    const Window* parent = WindowFind(owner);
    // Blocks until dismissed. Should SDL fail to show it, the message is out already.
    DialogShow(type, caption, text, parent ? parent->sdlWindow : nullptr);
  }
  return IDOK;
}
