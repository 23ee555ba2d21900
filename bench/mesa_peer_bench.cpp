// The peer's frame: the program's scene through fixed-function OpenGL on Mesa's llvmpipe, one
// thread, over a whole turn of the spin, at the program's client size. Compare its median with
// frame_bench's BM_Frame (bench/compare runs both).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "mesa_peer.h"

namespace {

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void BM_MesaFrame(benchmark::State& state) {
  // The picture frame_bench gives the program.
  MesaPeer peer(ProgramClientWidth, ProgramClientHeight, PictureWithDetail());
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
BENCHMARK(BM_MesaFrame)->Unit(benchmark::kMicrosecond);

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
