// LoadCursorA: the system cursors a class may name. the display shows the arrow over every
// window already, so the handle only has to name it.
#include <windows.h>

namespace {

struct Cursor {
} ArrowCursor;

}  // namespace

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  // The program has no cursor resources of its own; of the system's, only the arrow.
  if (instance || name != IDC_ARROW) return nullptr;
  return reinterpret_cast<HCURSOR>(&ArrowCursor);
}
