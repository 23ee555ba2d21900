// The program's frame on the software device in the web build, timed one frame at a time:
// Google Benchmark is not built for WebAssembly. The scene and the measure are frame_bench's
// BM_FrameAtLevel (the median time of FrameRender, presents not waiting), so the two compare.
// Prints one line: {"median_frame_us": M, "mean_frame_us": A, "frames": N}.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "platform/d3d8/objects/present_pacing.h"
#include "support/program_scene.h"

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3 * FramesPerTurn;
  ProgramScene scene(PictureWithDetail());
  d3d8sw::PresentPacingSet(false);
  // The first frames compile and fill caches.
  for (int frame = 0; frame < FramesPerTurn / 4; ++frame) FrameRender();
  std::vector<double> times;
  for (int frame = 0; frame < frames; ++frame) {
    const auto start = std::chrono::steady_clock::now();
    FrameRender();
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  const double mean = std::accumulate(times.begin(), times.end(), 0.0) / frames;
  std::nth_element(times.begin(), times.begin() + frames / 2, times.end());
  std::printf("{\"median_frame_us\": %.1f, \"mean_frame_us\": %.1f, \"frames\": %d}\n",
              times[frames / 2], mean, frames);
  return 0;
}
