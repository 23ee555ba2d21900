// One turn of Velkor's message loop with nothing but painting to do: invalidate, fetch the
// synthesised WM_PAINT, dispatch it to a procedure that begins and ends painting.
#include <benchmark/benchmark.h>

#include <windows.h>

namespace {

LRESULT CALLBACK PaintingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void PaintRoundTrip(benchmark::State& state) {
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = PaintingProcedure;
  description.lpszClassName = "PAINTBENCH";
  RegisterClassExA(&description);
  const HWND window = CreateWindowExA(0, "PAINTBENCH", "Paint", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      80, 80, 640, 480, nullptr, nullptr, nullptr, nullptr);
  if (!window) {
    state.SkipWithError("no window");
    return;
  }
  MSG message;
  for (auto _ : state) {
    InvalidateRect(window, nullptr, FALSE);
    GetMessageA(&message, nullptr, 0, 0);
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
}
BENCHMARK(PaintRoundTrip);

}  // namespace
