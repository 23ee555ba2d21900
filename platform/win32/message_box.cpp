// MessageBoxA: the message goes to standard error always, so it is never lost; a dialog with
// one OK button shows it too wherever there is a display.
#include <windows.h>

#include <SDL.h>

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
    SDL_ShowSimpleMessageBox(MessageBoxFlags(type), caption, text,
                             parent ? parent->sdlWindow : nullptr);
  }
  return IDOK;
}
