// The program's frame on the software device: the program's own SceneSetup and FrameRender, once
// an iteration with presentation pacing off, the spin going round whole turns, at the client
// sizes of 640 by 480, 1280 by 960 and 1920 by 1080 windows; then the frame's parts (clear,
// vertex processing, rasterization, present) each on its own at the program's size, on what the
// device itself holds after the program's frames.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "platform/d3d8/objects/software_device.h"
#include "platform/d3d8/objects/present_pacing.h"
#include "platform/d3d8/pipeline/primitive/primitive_draw.h"
#include "platform/d3d8/pipeline/pixel/simd_level.h"
#include "platform/d3d8/pipeline/vertex/vertex_format.h"
#include "platform/d3d8/pipeline/vertex/vertex_processing.h"
#include "support/program_scene.h"

namespace {

// The program's scene in a window of the given client size, presenting without waiting for the
// display.
struct UnpacedProgram {
  ProgramScene scene;
  UINT width, height;
  UnpacedProgram(UINT w, UINT h) : scene{PictureWithDetail(), w, h}, width(w), height(h) {
    d3d8sw::PresentPacingSet(false);
  }
};

// The software device the program's scene was set up on at that client size. The program's
// state holds one device at a time, so a scene of another size is taken down first.
d3d8sw::Device& ProgramDevice(UINT width = ProgramClientWidth, UINT height = ProgramClientHeight) {
  static std::unique_ptr<UnpacedProgram> program;
  if (!program || program->width != width || program->height != height) {
    program.reset();
    program = std::make_unique<UnpacedProgram>(width, height);
  }
  return dynamic_cast<d3d8sw::Device&>(*Device);
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// The device's state after each frame of a turn, as FrameRender leaves it: only the world
// matrix changes from one to the next.
std::vector<d3d8sw::PipelineState> TurnStates(d3d8sw::Device& device) {
  const d3d8sw::DrawInputs inputs = device.DrawInputsGet();
  const float angle = SpinAngle;
  std::vector<d3d8sw::PipelineState> states;
  for (int frame = 0; frame < FramesPerTurn; ++frame) {
    FrameRender();
    states.push_back(inputs.state);
  }
  SpinAngle = angle;
  return states;
}

// A turn at the program's client size.
const std::vector<d3d8sw::PipelineState>& Turn() {
  static const std::vector<d3d8sw::PipelineState> states = TurnStates(ProgramDevice());
  return states;
}

// The bound vertex buffer, fetched, transformed and lit as the draw of this state would.
std::vector<d3d8sw::ClipVertex> Processed(const d3d8sw::DrawInputs& inputs,
                                          const d3d8sw::PipelineState& state) {
  std::vector<d3d8sw::ClipVertex> out;
  d3d8sw::VerticesProcess(state, d3d8sw::VertexLayoutFromFvf(state.vertexFormat), inputs.vertices,
                          inputs.stride, inputs.vertexCount, out);
  return out;
}

// Assembles, clips, culls and rasterizes the bound buffer's triangle list, as FrameRender's
// draw does, and shades its pixels into the device's target.
void TrianglesDraw(const d3d8sw::DrawInputs& inputs, const d3d8sw::PipelineState& state,
                   const std::vector<d3d8sw::ClipVertex>& processed) {
  d3d8sw::PrimitivesDraw(state, inputs.target, D3DPT_TRIANGLELIST,
                         d3d8sw::VertexLayoutFromFvf(state.vertexFormat).transformed,
                         processed.data(), inputs.vertexCount / 3);
}

D3DRECT ViewportRect(const D3DVIEWPORT8& viewport) {
  return {static_cast<LONG>(viewport.X), static_cast<LONG>(viewport.Y),
          static_cast<LONG>(viewport.X + viewport.Width),
          static_cast<LONG>(viewport.Y + viewport.Height)};
}

// How many pixels of the target the draw of `state` changes from the clear colour `key`.
size_t PixelsDrawnOver(const d3d8sw::DrawInputs& inputs, const d3d8sw::PipelineState& state,
                       D3DCOLOR key) {
  const D3DRECT whole = ViewportRect(state.viewport);
  d3d8sw::PipelineClear(inputs.target, &whole, 1, D3DCLEAR_TARGET, key, 1.0f);
  TrianglesDraw(inputs, state, Processed(inputs, state));
  // Read as the program would, through a lock of the back buffer the target draws into.
  IDirect3DSurface8* backBuffer = nullptr;
  D3DLOCKED_RECT locked = {};
  if (FAILED(Device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) return 0;
  size_t changed = 0;
  if (SUCCEEDED(backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    const UINT width = inputs.target.Width();
    for (UINT y = 0; y < inputs.target.Height(); ++y) {
      const uint32_t* row = reinterpret_cast<const uint32_t*>(
          static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch);
      changed += width - std::count(row, row + width, key);
    }
    backBuffer->UnlockRect();
  }
  backBuffer->Release();
  return changed;
}

// The mean number of pixels the cube covers over a turn, from frames spread evenly over it. A
// covered pixel differs from at least one of two clear colours, since it has the same colour on
// both; a pixel not covered keeps each.
double CoveredPixelsMean(d3d8sw::Device& device) {
  constexpr int Samples = 35;
  const d3d8sw::DrawInputs inputs = device.DrawInputsGet();
  const float angle = SpinAngle;
  double covered = 0;
  for (int sample = 0; sample < Samples; ++sample) {
    SpinAngle = 6.2831853f * sample / Samples;
    FrameRender();
    covered += static_cast<double>(std::max(PixelsDrawnOver(inputs, inputs.state, 0x00000000),
                                            PixelsDrawnOver(inputs, inputs.state, 1)));
  }
  SpinAngle = angle;
  return covered / Samples;
}

// The program's frames, one an iteration: the median time of one, in microseconds.
double FrameMedian(benchmark::State& state) {
  std::vector<double> frames;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    FrameRender();
    frames.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  return Median(frames);
}

void BM_Frame(benchmark::State& state) {
  d3d8sw::Device& device =
      ProgramDevice(static_cast<UINT>(state.range(0)), static_cast<UINT>(state.range(1)));
  const double median = FrameMedian(state);
  const double covered = CoveredPixelsMean(device);
  state.counters["median_frame_us"] = median;
  state.counters["covered_pixels"] = covered;
  state.counters["ns_per_covered_pixel"] = median * 1000.0 / covered;
}
// The client areas of 640 by 480, 1280 by 960 and 1920 by 1080 windows.
BENCHMARK(BM_Frame)
    ->Args({ProgramClientWidth, ProgramClientHeight})
    ->Args({1264, 921})
    ->Args({1904, 1041})
    ->Unit(benchmark::kMicrosecond);

// Draws frame `frame` of the turn into the device's target, untimed, and moves on to the next.
void TurnFrameDrawUntimed(benchmark::State& state, const d3d8sw::DrawInputs& inputs, int& frame) {
  state.PauseTiming();
  TrianglesDraw(inputs, Turn()[frame], Processed(inputs, Turn()[frame]));
  frame = (frame + 1) % FramesPerTurn;
  state.ResumeTiming();
}

// The frame at the program's size with the per-pixel passes at each processor level this
// machine runs (0 baseline, 1 AVX2, 2 AVX-512); BM_Frame runs at the widest.
void BM_FrameAtLevel(benchmark::State& state) {
  ProgramDevice();
  d3d8sw::SimdLevelUse(static_cast<d3d8sw::SimdLevel>(state.range(0)));
  const double median = FrameMedian(state);
  d3d8sw::SimdLevelUse(d3d8sw::SimdLevelWidest());
  state.counters["median_frame_us"] = median;
}
[[maybe_unused]] const bool LevelsRegistered = [] {
  for (int level = 0; level <= static_cast<int>(d3d8sw::SimdLevelWidest()); ++level) {
    benchmark::RegisterBenchmark("BM_FrameAtLevel", BM_FrameAtLevel)
        ->Arg(level)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

// Clearing colour and depth where the previous frame drew, in the steady state the program
// runs in: the clear is deferred, so this is the clear and the write-out of what it left.
void BM_Clear(benchmark::State& state) {
  const d3d8sw::DrawInputs inputs = ProgramDevice().DrawInputsGet();
  const D3DRECT whole = ViewportRect(inputs.state.viewport);
  int frame = 0;
  for (auto _ : state) {
    TurnFrameDrawUntimed(state, inputs, frame);
    d3d8sw::PipelineClear(inputs.target, &whole, 1, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    d3d8sw::PipelineFinish(inputs.target, d3d8sw::TargetAccess::Read);
  }
}
BENCHMARK(BM_Clear)->Unit(benchmark::kMicrosecond);

// Fetching, transforming and lighting the cube's vertices.
void BM_VertexProcessing(benchmark::State& state) {
  const d3d8sw::DrawInputs inputs = ProgramDevice().DrawInputsGet();
  int frame = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Processed(inputs, Turn()[frame]));
    frame = (frame + 1) % FramesPerTurn;
  }
}
BENCHMARK(BM_VertexProcessing)->Unit(benchmark::kMicrosecond);

// Assembling, clipping, culling and rasterizing the cube's triangles and shading their pixels,
// into a target with nothing left to clear.
void BM_Rasterization(benchmark::State& state) {
  const d3d8sw::DrawInputs inputs = ProgramDevice().DrawInputsGet();
  std::vector<std::vector<d3d8sw::ClipVertex>> processed;
  for (const d3d8sw::PipelineState& frameState : Turn()) {
    processed.push_back(Processed(inputs, frameState));
  }
  d3d8sw::PipelineFinish(inputs.target, d3d8sw::TargetAccess::ReadWrite);
  int frame = 0;
  for (auto _ : state) {
    TrianglesDraw(inputs, Turn()[frame], processed[frame]);
    frame = (frame + 1) % FramesPerTurn;
  }
}
BENCHMARK(BM_Rasterization)->Unit(benchmark::kMicrosecond);

// Present, pacing off, of each frame of a turn in order, as the program presents them: the
// frame is drawn untimed over the last one, whose clear is deferred to Present.
void BM_Present(benchmark::State& state) {
  const d3d8sw::DrawInputs inputs = ProgramDevice().DrawInputsGet();
  const D3DRECT whole = ViewportRect(inputs.state.viewport);
  int frame = 0;
  for (auto _ : state) {
    d3d8sw::PipelineClear(inputs.target, &whole, 1, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    TurnFrameDrawUntimed(state, inputs, frame);
    Device->Present(nullptr, nullptr, nullptr, nullptr);
  }
}
BENCHMARK(BM_Present)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
