// TEMPORARY, until velkor_win32 has windows and the display: the few Windows calls the test
// window needs and the four stand-in services the software device uses, over plain records
// instead of SDL. Linked into the rendering tests only; delete it (and its line in
// tests/CMakeLists.txt) once the real velkor_win32 provides these.
#include <windows.h>

#include <cstring>
#include <list>
#include <vector>

#include "platform/win32/stand_in.h"

struct HWND__ {
  UINT width;
  UINT height;
  std::vector<uint32_t> shown;  // the last frame presented into the window, as given
};

namespace {

std::list<HWND__> Windows;

HWND__* LiveWindow(HWND window) {
  for (HWND__& record : Windows) {
    if (&record == window) return &record;
  }
  return nullptr;
}

}  // namespace

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR) { return nullptr; }

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* windowClass) {
  return windowClass && windowClass->cbSize == sizeof(WNDCLASSEXA) ? 1 : 0;
}

// Only borderless windows: the client area is the window.
HWND WINAPI CreateWindowExA(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int width, int height, HWND,
                            HMENU, HINSTANCE, LPVOID) {
  if (width < 0 || height < 0) return nullptr;
  Windows.push_back({static_cast<UINT>(width), static_cast<UINT>(height), {}});
  return &Windows.back();
}

BOOL WINAPI DestroyWindow(HWND window) {
  for (auto record = Windows.begin(); record != Windows.end(); ++record) {
    if (&*record == window) {
      Windows.erase(record);
      return TRUE;
    }
  }
  return FALSE;
}

LRESULT WINAPI DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  const HWND__* record = LiveWindow(window);
  if (!record || !rect) return FALSE;
  *rect = {0, 0, static_cast<LONG>(record->width), static_cast<LONG>(record->height)};
  return TRUE;
}

}  // extern "C"

namespace win32sw {

// What SDL's dummy video driver reports.
bool DisplayModeQuery(DisplayModeInfo& mode) {
  mode = {1024, 768, 60};
  return true;
}

bool WindowClientSize(HWND window, UINT& width, UINT& height) {
  const HWND__* record = LiveWindow(window);
  if (!record) return false;
  width = record->width;
  height = record->height;
  return true;
}

// Keeps a copy of the frame, reading every row the device hands over.
bool WindowPresent(HWND window, const uint32_t* pixels, UINT width, UINT height, INT pitch) {
  HWND__* record = LiveWindow(window);
  if (!record) return false;
  record->shown.resize(static_cast<size_t>(width) * height);
  for (UINT y = 0; y < height; ++y) {
    std::memcpy(&record->shown[static_cast<size_t>(y) * width],
                reinterpret_cast<const BYTE*>(pixels) + static_cast<ptrdiff_t>(y) * pitch,
                width * sizeof(uint32_t));
  }
  return true;
}

bool WindowFullScreen(HWND window, UINT width, UINT height) {
  HWND__* record = LiveWindow(window);
  if (!record) return false;
  record->width = width;
  record->height = height;
  return true;
}

}  // namespace win32sw
