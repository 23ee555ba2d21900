// Presenting one of Velkor's 624 by 441 frames into a window whose client area is that size
// (a straight copy), or has been stretched by the user (the frame scaled to fill it).
#include <benchmark/benchmark.h>

#include <windows.h>

#include <vector>

#include "platform/win32/stand_in.h"

namespace {

constexpr UINT FrameWidth = 624, FrameHeight = 441;

// A pop-up has no frame, so its client area is the size it is made with.
HWND BenchWindowCreate(int clientWidth, int clientHeight) {
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = DefWindowProcA;
  description.lpszClassName = "PRESENTBENCH";
  RegisterClassExA(&description);
  return CreateWindowExA(0, "PRESENTBENCH", "Present", WS_POPUP | WS_VISIBLE, 0, 0, clientWidth,
                         clientHeight, nullptr, nullptr, nullptr, nullptr);
}

void PresentFrame(benchmark::State& state) {
  const HWND window =
      BenchWindowCreate(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (!window) {
    state.SkipWithError("no window");
    return;
  }
  std::vector<uint32_t> frame(FrameWidth * FrameHeight);
  for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint32_t>(i * 2654435761u);
  for (auto _ : state) {
    if (!win32sw::WindowPresent(window, frame.data(), FrameWidth, FrameHeight,
                                static_cast<INT>(FrameWidth * 4))) {
      state.SkipWithError("the frame was not shown");
      break;
    }
  }
  DestroyWindow(window);
}
BENCHMARK(PresentFrame)
    ->ArgNames({"client_width", "client_height"})
    ->Args({FrameWidth, FrameHeight})
    ->Args({2 * FrameWidth, 2 * FrameHeight})
    ->Args({1000, 700})
    ->MeasureProcessCPUTime()  // whatever threads the video driver works in count too
    ->Unit(benchmark::kMicrosecond);

}  // namespace
