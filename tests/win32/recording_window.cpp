#include "win32/recording_window.h"

#include <algorithm>

#include "platform/win32/core/window.h"

std::vector<ReceivedMessage> Received;
CREATESTRUCTA ReceivedCreation;

namespace {

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Received.push_back({window, message, wParam, lParam});
  if (message == WM_CREATE) ReceivedCreation = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::vector<UINT> ReceivedAmong(std::initializer_list<UINT> wanted) {
  std::vector<UINT> found;
  for (const ReceivedMessage& received : Received) {
    if (std::find(wanted.begin(), wanted.end(), received.message) != wanted.end()) {
      found.push_back(received.message);
    }
  }
  return found;
}

LPCSTR RecordingClass() {
  static const ATOM registered = [] {
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = RecordingProcedure;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = "RECORDING";
    return RegisterClassExA(&description);
  }();
  EXPECT_NE(registered, 0);
  return "RECORDING";
}

HWND RecordingWindowCreate(DWORD style) {
  HWND window = CreateWindowExA(0, RecordingClass(), "Recording", style, 80, 80, 640, 480, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(window, nullptr);
  return window;
}

bool MessagesPump(WPARAM* quitCode) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_PAINT) {
    if (message.message == WM_QUIT) {
      if (quitCode) *quitCode = message.wParam;
      return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return false;
}

void RecordingTest::SetUp() { Received.clear(); }

void RecordingTest::TearDown() {
  while (!win32sw::WindowsLive().empty()) {
    DestroyWindow(win32sw::WindowHandle(*win32sw::WindowsLive().front()));
  }
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}
