// The program's frames over a whole turn of the cube are the same in every build of the
// software device: the Linux builds (x86-64 at each processor level this machine runs, and
// 64-bit ARM) and the web build (WebAssembly's SIMD) each draw the frames whose hash is recorded
// here. Floats round alike everywhere (no fused multiply-adds; SSE, NEON or WebAssembly
// arithmetic), so any difference is a fault of one build.
#include <gtest/gtest.h>

#include <cstdint>
#include <ios>

#include "platform/d3d8/objects/present_pacing.h"
#include "platform/d3d8/pipeline/pixel/simd_level.h"
#include "support/program_scene.h"
#include "support/render_device.h"

namespace {

using d3d8sw::SimdLevel;

// What the Linux build draws: a change to what the device draws changes it, and the failure
// says the new value to record.
constexpr uint64_t RecordedTurnHash = 0x82AC2DC3775202F9;

// FNV-1a over the frames' pixels, a word at a time, and their sizes.
class FrameHash {
 public:
  void Add(const BackBufferImage& image) {
    Mix(image.width);
    Mix(image.height);
    for (D3DCOLOR pixel : image.pixels) Mix(pixel);
  }
  uint64_t Value() const { return value_; }

 private:
  void Mix(uint32_t word) { value_ = (value_ ^ word) * 0x100000001B3u; }
  uint64_t value_ = 0xCBF29CE484222325u;
};

uint64_t TurnHash() {
  ProgramScene scene(PictureWithDetail());
  d3d8sw::PresentPacingSet(false);
  FrameHash hash;
  for (int frame = 0; frame < FramesPerTurn; ++frame) {
    FrameRender();
    hash.Add(BackBufferRead(Device));
  }
  d3d8sw::PresentPacingSet(true);
  return hash.Value();
}

TEST(ProgramTurnTest, EveryProcessorLevelDrawsTheRecordedFramesOfAWholeTurn) {
  for (SimdLevel level : {SimdLevel::Baseline, SimdLevel::Avx2, SimdLevel::Avx512}) {
    if (!d3d8sw::SimdLevelUse(level)) continue;
    const uint64_t hash = TurnHash();
    EXPECT_EQ(hash, RecordedTurnHash)
        << "level " << static_cast<int>(level) << ": the frames hash to 0x" << std::hex << hash;
  }
  d3d8sw::SimdLevelUse(d3d8sw::SimdLevelWidest());
}

}  // namespace
