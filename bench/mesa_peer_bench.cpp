// The peer's frame: the program's scene through fixed-function OpenGL on Mesa's llvmpipe, one
// thread, over a whole turn of the spin, at the sizes frame_bench's BM_Frame draws. Compare its
// medians with BM_Frame's (bench/compare runs both).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "support/mesa_peer.h"

namespace {

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void BM_MesaFrame(benchmark::State& state) {
  // The picture frame_bench gives the program.
  MesaPeer peer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                PictureWithDetail());
  if (!peer.Ready()) return state.SkipWithError("no OSMesa context");
  state.SetLabel(peer.Renderer());
  std::vector<double> frames;
  SpinAngle = 0.0f;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    peer.FrameDraw(SpinAngle);
    frames.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
    SpinAdvance();
  }
  state.counters["median_frame_us"] = Median(frames);
}
BENCHMARK(BM_MesaFrame)
    ->Args({ProgramClientWidth, ProgramClientHeight})
    ->Args({1264, 921})
    ->Args({1904, 1041})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // llvmpipe, rasterizing on the calling thread alone, like the software device.
  setenv("GALLIUM_DRIVER", "llvmpipe", 1);
  setenv("LP_NUM_THREADS", "0", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
