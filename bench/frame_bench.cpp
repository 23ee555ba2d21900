// The program's frame on the software device: FrameRender, the program's own code, once an
// iteration at the program's client size with presentation pacing off, the spin going round
// whole turns; then the frame's parts (clear, vertex processing, rasterization, the copy to the
// window) each on its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cube_scene.h"
#include "platform/d3d8/pipeline.h"
#include "platform/d3d8/present_pacing.h"
#include "platform/d3d8/primitive_draw.h"
#include "platform/d3d8/vertex_format.h"
#include "platform/d3d8/vertex_processing.h"

namespace {

constexpr UINT Width = 624, Height = 441;  // the client area of the program's window
constexpr int FramesPerTurn = 315;         // 2 pi / 0.02, rounded up

// A 256 by 256 test image with detail everywhere, like the program's photograph.
D3DCOLOR Pattern(UINT x, UINT y) { return D3DCOLOR_XRGB(x, y, ((x / 32 + y / 32) & 1) ? 200 : 40); }

// The window and device the program would have, with its scene set up; null device when any
// step fails (reported on standard error).
struct ProgramDevice {
  HWND window = nullptr;
  CubeScene scene;

  ProgramDevice() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "VelkorBench";
    RegisterClassExA(&windowClass);
    window = CreateWindowExA(0, "VelkorBench", "Velkor", WS_POPUP, 0, 0, Width, Height, nullptr,
                             nullptr, nullptr, nullptr);
    // The program's own device start-up: windowed at the client size, a copy synchronised
    // with the display, the first depth format the adapter takes.
    if (!window || !DeviceStartup(window, Width, Height, 32, FALSE) ||
        !CubeSceneSetUp(Device, Pattern, scene)) {
      std::fprintf(stderr, "frame_bench: the device or the scene could not be made\n");
      return;
    }
    CubeVertexBuffer = scene.vertexBuffer;
    d3d8sw::PresentPacingSet(false);
  }

  ~ProgramDevice() {
    CubeSceneRelease(scene);
    CubeVertexBuffer = nullptr;
    DeviceShutdown();
    if (window) DestroyWindow(window);
  }
};

ProgramDevice& Program() {
  static ProgramDevice program;
  return program;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void BM_Frame(benchmark::State& state) {
  if (!Program().scene.vertexBuffer) {
    state.SkipWithError("no device");
    return;
  }
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

// The frame's state as the pipeline sees it, read back through the device's own interface,
// and one world matrix for each frame of a turn, as FrameRender sets them.
struct PipelineFrames {
  d3d8sw::PipelineState state;
  d3d8sw::TextureData texture;
  std::vector<BYTE> vertices;
  std::vector<D3DMATRIX> worlds;
};

d3d8sw::TextureData TextureRead(IDirect3DTexture8* texture) {
  d3d8sw::TextureData data;
  D3DSURFACE_DESC desc = {};
  D3DLOCKED_RECT locked = {};
  texture->GetLevelDesc(0, &desc);
  if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) return data;
  d3d8sw::TextureLevel level;
  level.width = desc.Width;
  level.height = desc.Height;
  level.pitch = static_cast<INT>(desc.Width * 4);
  level.texels.resize(static_cast<size_t>(desc.Width) * desc.Height);
  for (UINT y = 0; y < desc.Height; ++y) {
    std::memcpy(&level.texels[y * desc.Width],
                static_cast<const BYTE*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch,
                desc.Width * 4);
  }
  texture->UnlockRect(0);
  data.format = desc.Format;
  data.levels.push_back(std::move(level));
  return data;
}

PipelineFrames PipelineFramesRead() {
  PipelineFrames frames;
  IDirect3DDevice8* device = Device;
  d3d8sw::PipelineState& s = frames.state;
  d3d8sw::PipelineStateReset(s, true);
  for (int i = 0; i < d3d8sw::RenderStateCount; ++i) {
    device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(i), &s.renderStates[i]);
  }
  for (int stage = 0; stage < d3d8sw::TextureStageCount; ++stage) {
    for (int i = 1; i < d3d8sw::StageStateCount; ++i) {
      device->GetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(i),
                                   &s.stageStates[stage][i]);
    }
  }
  device->GetTransform(D3DTS_VIEW, &s.view);
  device->GetTransform(D3DTS_PROJECTION, &s.projection);
  device->GetViewport(&s.viewport);
  device->GetMaterial(&s.material);
  device->GetVertexShader(&s.vertexFormat);
  for (DWORD i = 0; i < d3d8sw::MaxLights; ++i) {
    BOOL enabled = FALSE;
    device->GetLightEnable(i, &enabled);
    s.lights[i].enabled = enabled != FALSE;
    s.lights[i].defined = SUCCEEDED(device->GetLight(i, &s.lights[i].light));
  }
  frames.texture = TextureRead(Program().scene.texture);
  s.textures[0] = &frames.texture;
  BYTE* bytes = nullptr;
  CubeVertexBuffer->Lock(0, 0, &bytes, D3DLOCK_READONLY);
  frames.vertices.assign(bytes, bytes + sizeof CubeVertices);
  CubeVertexBuffer->Unlock();
  const float angle = SpinAngle;
  for (int frame = 0; frame < FramesPerTurn; ++frame) {
    FrameRender();
    frames.worlds.push_back({});
    device->GetTransform(D3DTS_WORLD, &frames.worlds.back());
  }
  SpinAngle = angle;
  return frames;
}

PipelineFrames& Frames() {
  static PipelineFrames frames = PipelineFramesRead();
  return frames;
}

// A target of the program's size with its depth buffer, owned by the benchmark.
struct OwnTarget {
  std::vector<uint32_t> colour = std::vector<uint32_t>(Width * Height);
  std::vector<uint32_t> depth = std::vector<uint32_t>(Width * Height);
  d3d8sw::RenderTarget target;

  OwnTarget() {
    target.colour = colour.data();
    target.colourPitch = Width * 4;
    target.width = Width;
    target.height = Height;
    target.depth = depth.data();
    target.depthPitch = Width * 4;
    target.depthFormat = D3DFMT_D32;
  }
};

const D3DRECT WholeTarget = {0, 0, Width, Height};

std::vector<d3d8sw::ClipVertex> Processed(d3d8sw::PipelineState& state, int frame) {
  PipelineFrames& frames = Frames();
  state.world = frames.worlds[frame];
  std::vector<d3d8sw::ClipVertex> out;
  d3d8sw::VerticesProcess(state, d3d8sw::VertexLayoutFromFvf(state.vertexFormat),
                          frames.vertices.data(), sizeof(CubeVertex), 36, out);
  return out;
}

// Clearing colour and depth where the previous frame drew, in the steady state the program
// runs in: the clear is deferred, so this is the clear and the write-out of what it left.
void BM_Clear(benchmark::State& state) {
  if (!Program().scene.vertexBuffer) return state.SkipWithError("no device");
  d3d8sw::PipelineState pipeline = Frames().state;
  OwnTarget own;
  int frame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<d3d8sw::ClipVertex> vertices = Processed(pipeline, frame);
    d3d8sw::PrimitivesDraw(pipeline, own.target, D3DPT_TRIANGLELIST, false, vertices.data(), 12);
    frame = (frame + 1) % FramesPerTurn;
    state.ResumeTiming();
    d3d8sw::PipelineClear(own.target, &WholeTarget, 1, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    d3d8sw::PipelineFinish(own.target, d3d8sw::TargetAccess::Read);
  }
}
BENCHMARK(BM_Clear)->Unit(benchmark::kMicrosecond);

// Fetching, transforming and lighting the cube's 36 vertices.
void BM_VertexProcessing(benchmark::State& state) {
  if (!Program().scene.vertexBuffer) return state.SkipWithError("no device");
  d3d8sw::PipelineState pipeline = Frames().state;
  int frame = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Processed(pipeline, frame));
    frame = (frame + 1) % FramesPerTurn;
  }
}
BENCHMARK(BM_VertexProcessing)->Unit(benchmark::kMicrosecond);

// Assembling, clipping, culling and rasterizing the 12 triangles and shading their pixels,
// into a target with nothing left to clear.
void BM_Rasterization(benchmark::State& state) {
  if (!Program().scene.vertexBuffer) return state.SkipWithError("no device");
  d3d8sw::PipelineState pipeline = Frames().state;
  std::vector<std::vector<d3d8sw::ClipVertex>> processed;
  for (int frame = 0; frame < FramesPerTurn; ++frame)
    processed.push_back(Processed(pipeline, frame));
  OwnTarget own;
  int frame = 0;
  for (auto _ : state) {
    d3d8sw::PrimitivesDraw(pipeline, own.target, D3DPT_TRIANGLELIST, false, processed[frame].data(),
                           12);
    frame = (frame + 1) % FramesPerTurn;
  }
}
BENCHMARK(BM_Rasterization)->Unit(benchmark::kMicrosecond);

// Present: the back buffer copied into the window, pacing off.
void BM_PresentCopy(benchmark::State& state) {
  if (!Program().scene.vertexBuffer) return state.SkipWithError("no device");
  for (auto _ : state) Device->Present(nullptr, nullptr, nullptr, nullptr);
}
BENCHMARK(BM_PresentCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
