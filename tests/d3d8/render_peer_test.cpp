// The program's frames on the software device against the same scene drawn by an independent
// renderer, Mesa's llvmpipe through fixed-function OpenGL, over a whole turn of the spin. The two
// follow different rules only where Direct3D 8 leaves the choice open (rounding in filtering and
// lighting, ties on an edge), so beyond a handful of pixels any difference is a fault.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/mesa_peer.h"
#include "platform/d3d8/objects/present_pacing.h"
#include "support/render_device.h"

namespace {

constexpr int FrameStride = 5;  // every fifth frame keeps the run short
// Pixels a frame may have drawn by one renderer and not the other, or with a channel more than
// MaxChannelStep apart: what edge ties and rounding leave across a turn is 3 at the most.
constexpr long MaxPixelsApart = 20;
constexpr int MaxChannelStep = 8;
// The mean difference of a channel over the covered pixels; rounding alone gives about 0.25.
constexpr double MaxMeanChannelDifference = 1.0;

struct FrameDifference {
  long coverage = 0;       // drawn by one renderer only
  long farApart = 0;       // a channel differs by more than MaxChannelStep
  double meanChannel = 0;  // over the pixels both drew
};

int ChannelDifference(D3DCOLOR a, D3DCOLOR b, int shift) {
  return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

FrameDifference Compare(const BackBufferImage& ours, const std::vector<uint32_t>& peer) {
  FrameDifference difference;
  long both = 0;
  double sum = 0;
  for (size_t i = 0; i < peer.size(); ++i) {
    const D3DCOLOR a = ours.pixels[i] & 0xFFFFFF, b = peer[i];
    if ((a != 0) != (b != 0)) ++difference.coverage;
    if (a == 0 || b == 0) continue;
    ++both;
    int largest = 0;
    for (int shift : {0, 8, 16}) {
      const int channel = ChannelDifference(a, b, shift);
      sum += channel;
      largest = std::max(largest, channel);
    }
    if (largest > MaxChannelStep) ++difference.farApart;
  }
  difference.meanChannel = both ? sum / (3.0 * both) : 0;
  return difference;
}

TEST(PeerTest, EveryFrameOfATurnMatchesLlvmpipe) {
  setenv("GALLIUM_DRIVER", "llvmpipe", 1);
  setenv("LP_NUM_THREADS", "0", 1);
  const Picture picture = PictureWithDetail();
  ProgramScene scene(picture);
  d3d8sw::PresentPacingSet(false);
  MesaPeer peer(ProgramClientWidth, ProgramClientHeight, picture);
  ASSERT_TRUE(peer.Ready());
  for (int frame = 0; frame < FramesPerTurn; ++frame) {
    const float angle = SpinAngle;
    FrameRender();
    if (frame % FrameStride != 0) continue;
    const BackBufferImage ours = BackBufferRead(Device);
    ASSERT_EQ(ours.pixels.size(), size_t{ProgramClientWidth} * ProgramClientHeight);
    peer.FrameDraw(angle);
    const FrameDifference difference = Compare(ours, peer.Pixels());
    EXPECT_LE(difference.coverage, MaxPixelsApart) << "frame " << frame;
    EXPECT_LE(difference.farApart, MaxPixelsApart) << "frame " << frame;
    EXPECT_LT(difference.meanChannel, MaxMeanChannelDifference) << "frame " << frame;
  }
  d3d8sw::PresentPacingSet(true);
}

}  // namespace
