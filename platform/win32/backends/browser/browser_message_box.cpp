// The box MessageBoxA shows, as the page's modal dialog.
#include "platform/win32/backends/browser/page_calls.h"
#include "platform/win32/core/backend.h"

namespace win32sw {

namespace {

const char* IconName(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return "error";
    case MB_ICONWARNING:
      return "warning";
    case MB_ICONINFORMATION:
      return "information";
    default:
      return "";
  }
}

}  // namespace

// The page's dialog is modal to the whole page, so no owner need be named.
void BackendMessageBox(UINT type, const char* caption, const char* text, const Window*) {
  PageMessageBox(caption, text, IconName(type));
}

}  // namespace win32sw
