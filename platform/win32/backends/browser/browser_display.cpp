// The page as the display: always there, shown to someone only in a browser.
#include "platform/win32/backends/browser/page_calls.h"
#include "platform/win32/core/backend.h"

namespace win32sw {

bool BackendStart(const char*) { return true; }

bool BackendOnScreen() { return PageOnScreen() != 0; }

void BackendStop() { PageStop(); }

bool BackendDisplayMode(DisplayModeInfo& mode) {
  int32_t width = 0, height = 0;
  PageDisplaySize(&width, &height);
  mode.width = static_cast<UINT>(width);
  mode.height = static_cast<UINT>(height);
  // A page is not told the display's rate; its animation frames pace it all the same.
  mode.refreshRate = 0;
  mode.framesShown = true;
  mode.depth = 24;
  return true;
}

}  // namespace win32sw
