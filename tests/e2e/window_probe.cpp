// A window made as Velkor makes its main window, whose procedure reports every message it
// gets on standard output, one line each. Escape closes it as in Velkor; at the end it says
// how long it waited in GetMessageA and how much processor time the waiting took.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::printf("message=0x%04X wParam=0x%llX lParam=0x%llX\n", message,
              static_cast<unsigned long long>(wParam),
              static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam)));
  std::fflush(stdout);
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::chrono::nanoseconds ProcessorTime() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

int main() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  description.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  description.lpfnWndProc = ProbeProcedure;
  description.hInstance = instance;
  description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  description.lpszClassName = "VELKORCLASS";
  RegisterClassExA(&description);
  const HWND window = CreateWindowExA(0, "VELKORCLASS", "Velkor",
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 80,
                                      80, 640, 480, nullptr, nullptr, instance, nullptr);
  if (!window) ExitProcess(1);
  ShowWindow(window, SW_SHOWDEFAULT);
  UpdateWindow(window);

  std::chrono::nanoseconds waited{0}, waitingProcessor{0};
  MSG message;
  for (;;) {
    const auto wallBefore = std::chrono::steady_clock::now();
    const auto processorBefore = ProcessorTime();
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    waited += std::chrono::steady_clock::now() - wallBefore;
    waitingProcessor += ProcessorTime() - processorBefore;
    if (result == 0) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  std::printf("waited wall_ms=%lld cpu_ms=%lld\n",
              static_cast<long long>(duration_cast<milliseconds>(waited).count()),
              static_cast<long long>(duration_cast<milliseconds>(waitingProcessor).count()));
  ExitProcess(static_cast<UINT>(message.wParam));
}
