// Presenting a software frame into Velkor's 624 by 441 client area.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <vector>

#include "platform/win32/stand_in.h"

namespace {

HWND BenchWindowCreate() {
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = DefWindowProcA;
  description.lpszClassName = "PRESENTBENCH";
  RegisterClassExA(&description);
  return CreateWindowExA(0, "PRESENTBENCH", "Present", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80,
                         640, 480, nullptr, nullptr, nullptr, nullptr);
}

void PresentFrame(benchmark::State& state) {
  const HWND window = BenchWindowCreate();
  if (!window) {
    state.SkipWithError("no window");
    return;
  }
  const UINT width = static_cast<UINT>(state.range(0));
  const UINT height = static_cast<UINT>(state.range(1));
  std::vector<uint32_t> frame(width * height);
  for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint32_t>(i * 2654435761u);
  for (auto _ : state) {
    win32sw::WindowPresent(window, frame.data(), width, height, static_cast<INT>(width * 4));
  }
  DestroyWindow(window);
}
// The client's own size, then a frame that has to be stretched to it.
BENCHMARK(PresentFrame)->Args({624, 441})->Args({640, 480})->Unit(benchmark::kMicrosecond);

}  // namespace
