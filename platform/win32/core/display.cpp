// What the software Direct3D 8 device asks of the display and of its window, short of
// presenting.
#include "platform/win32/core/backend.h"
#include "platform/win32/core/window.h"
#include "platform/win32/stand_in.h"

namespace win32sw {

bool DisplayModeQuery(DisplayModeInfo& mode) { return BackendStart() && BackendDisplayMode(mode); }

bool WindowFullScreen(HWND handle, UINT width, UINT height) {
  Window* window = WindowFind(handle);
  return window &&
         window->shown->FullScreen(width, height, window->clientWidth, window->clientHeight);
}

}  // namespace win32sw
