// The program's frame on the software device: the program's own SceneSetup and FrameRender, once
// an iteration at the program's client size with presentation pacing off, the spin going round
// whole turns; then the frame's parts (clear, vertex processing, rasterization, the copy to the
// window) each on its own, on what the device itself holds after the program's frames.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/d3d8/device.h"
#include "platform/d3d8/present_pacing.h"
#include "platform/d3d8/primitive_draw.h"
#include "platform/d3d8/vertex_format.h"
#include "platform/d3d8/vertex_processing.h"
#include "program_scene.h"

namespace {

constexpr int FramesPerTurn = 315;  // 2 pi / 0.02, rounded up

// The program's scene, presenting without waiting for the display.
struct UnpacedProgram {
  ProgramScene scene{PictureWithDetail()};
  UnpacedProgram() { d3d8sw::PresentPacingSet(false); }
};

// The software device the program's scene was set up on, for the whole run.
d3d8sw::Device& ProgramDevice() {
  static UnpacedProgram program;
  return dynamic_cast<d3d8sw::Device&>(*Device);
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void BM_Frame(benchmark::State& state) {
  ProgramDevice();
  std::vector<double> frames;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    FrameRender();
    frames.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  state.counters["median_frame_us"] = Median(frames);
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond);

// The device's state after each frame of a turn, as FrameRender leaves it: only the world
// matrix changes from one to the next.
std::vector<d3d8sw::PipelineState> TurnStates() {
  const d3d8sw::DrawInputs inputs = ProgramDevice().DrawInputsGet();
  const float angle = SpinAngle;
  std::vector<d3d8sw::PipelineState> states;
  for (int frame = 0; frame < FramesPerTurn; ++frame) {
    FrameRender();
    states.push_back(inputs.state);
  }
  SpinAngle = angle;
  return states;
}

const std::vector<d3d8sw::PipelineState>& Turn() {
  static const std::vector<d3d8sw::PipelineState> states = TurnStates();
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

// Clearing colour and depth where the previous frame drew, in the steady state the program
// runs in: the clear is deferred, so this is the clear and the write-out of what it left.
void BM_Clear(benchmark::State& state) {
  const d3d8sw::DrawInputs inputs = ProgramDevice().DrawInputsGet();
  const D3DVIEWPORT8& viewport = inputs.state.viewport;
  const D3DRECT whole = {static_cast<LONG>(viewport.X), static_cast<LONG>(viewport.Y),
                         static_cast<LONG>(viewport.X + viewport.Width),
                         static_cast<LONG>(viewport.Y + viewport.Height)};
  int frame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TrianglesDraw(inputs, Turn()[frame], Processed(inputs, Turn()[frame]));
    frame = (frame + 1) % FramesPerTurn;
    state.ResumeTiming();
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

// Present: the back buffer copied into the window, pacing off.
void BM_PresentCopy(benchmark::State& state) {
  ProgramDevice();
  for (auto _ : state) Device->Present(nullptr, nullptr, nullptr, nullptr);
}
BENCHMARK(BM_PresentCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
