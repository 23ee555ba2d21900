#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "doubles/recording_device.h"
#include "support/matrix_near.h"
#include "scene/scene.h"

using ::testing::ElementsAre;

namespace {

constexpr float Pi = 3.14159265f;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Device = &device;
    CubeVertexBuffer = vertexBuffer;
    SpinAngle = 0.0f;
  }
  void TearDown() override {
    Device = nullptr;
    CubeVertexBuffer = nullptr;
    SpinAngle = 0.0f;
  }

  // The world matrix the frame at `angle` sets.
  D3DMATRIX WorldAt(float angle) {
    SpinAngle = angle;
    FrameRender();
    return device.transforms.back();
  }

  RecordingDevice device;
  // Never dereferenced: the frame only hands it to the device.
  alignas(8) static inline char vertexBufferStandIn[8];
  IDirect3DVertexBuffer8* vertexBuffer =
      reinterpret_cast<IDirect3DVertexBuffer8*>(vertexBufferStandIn);
};

TEST_F(FrameTest, IssuesExactlyTheFrameCallsInOrder) {
  FrameRender();
  EXPECT_THAT(device.calls,
              ElementsAre("Clear(0, null, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00000000, 1, 0)",
                          "BeginScene()", "SetTransform(D3DTS_WORLD, ptr)",
                          "SetStreamSource(0, ptr, 32)", "DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12)",
                          "EndScene()", "Present(null, null, null, null)"));
  EXPECT_EQ(device.streamSource, vertexBuffer);
}

// With row vectors the world matrix is Rx(a) Ry(a) Rz(a) T(-0.5, -0.5, -3.5), where
//   Rx = [1 0 0; 0 c s; 0 -s c],  Ry = [c 0 -s; 0 1 0; s 0 c],  Rz = [c s 0; -s c 0; 0 0 1].
// Multiplied out, its rotation rows are
//   (c^2, cs, -s),  (s^2 c - cs, s^3 + c^2, sc),  (c^2 s + s^2, cs^2 - sc, c^2),
// and row 3 is the translation (-0.5, -0.5, -3.5, 1).
TEST_F(FrameTest, TheWorldMatrixTurnsAboutXThenYThenZAndThenMoves) {
  // a = 0: the pure translation.
  EXPECT_TRUE(MatrixNear(WorldAt(0.0f).m,
                         {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-0.5f, -0.5f, -3.5f, 1}}, 0));
  // a = pi / 2 (c = 0, s = 1): x goes to -z, y stays, z goes to x.
  EXPECT_TRUE(MatrixNear(WorldAt(Pi / 2).m,
                         {{0, 0, -1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {-0.5f, -0.5f, -3.5f, 1}},
                         1e-6f));
  // a = pi (c = -1, s = 0): the three half turns undo each other.
  EXPECT_TRUE(MatrixNear(
      WorldAt(Pi).m, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-0.5f, -0.5f, -3.5f, 1}}, 1e-6f));
  // a = pi / 3 (c = 1/2, s = sqrt(3)/2): (1/4, sqrt(3)/4, -sqrt(3)/2),
  // (3/8 - sqrt(3)/4, 3 sqrt(3)/8 + 1/4, sqrt(3)/4), (sqrt(3)/8 + 3/4, 3/8 - sqrt(3)/4, 1/4).
  EXPECT_TRUE(MatrixNear(WorldAt(Pi / 3).m,
                         {{0.25f, 0.4330127f, -0.8660254f, 0},
                          {-0.0580127f, 0.8995191f, 0.4330127f, 0},
                          {0.9665064f, -0.0580127f, 0.25f, 0},
                          {-0.5f, -0.5f, -3.5f, 1}},
                         1e-6f));
}

TEST_F(FrameTest, TheAngleAdvancesAfterPresent) {
  FrameRender();
  EXPECT_EQ(SpinAngle, 0.02f);
  FrameRender();
  ASSERT_EQ(device.transforms.size(), 2u);
  // The second frame is drawn at the angle the first one left.
  const D3DMATRIX second = device.transforms[1];
  EXPECT_EQ(SpinAngle, 0.02f + 0.02f);
  EXPECT_TRUE(MatrixNear(second.m, WorldAt(0.02f).m, 0));
  EXPECT_FALSE(MatrixNear(second.m, WorldAt(0.0f).m, 1e-3f));
}

TEST_F(FrameTest, FiftyFramesAddUpInSinglePrecision) {
  float sum = 0.0f;
  for (int frame = 0; frame < 50; ++frame) {
    FrameRender();
    sum += 0.02f;
  }
  EXPECT_EQ(SpinAngle, sum);
  EXPECT_LT(SpinAngle, 1.0f);
  EXPECT_GT(SpinAngle, 0.9999f);
  const D3DMATRIX last = device.transforms.back();
  EXPECT_TRUE(MatrixNear(last.m, WorldAt(sum - 0.02f).m, 0));
}

TEST_F(FrameTest, TheFirstTurnKeepsThePlainSumsThenWraps) {
  float sum = 0.0f;
  for (int frame = 0; frame < 314; ++frame) {
    FrameRender();
    sum += 0.02f;
    ASSERT_EQ(SpinAngle, sum) << "after frame " << frame;
  }
  EXPECT_LT(SpinAngle, 6.2831853f);

  FrameRender();
  const float wrapped = (sum + 0.02f) - 6.28318548f;
  EXPECT_EQ(SpinAngle, wrapped);
  EXPECT_GT(SpinAngle, 0.0f);
  EXPECT_LT(SpinAngle, 0.02f);
}

// The angle stays within one turn: a step that lands on the full turn exactly starts the next
// turn at 0.
TEST(Spin, AStepLandingOnTheFullTurnStartsTheNextAtZero) {
  SpinAngle = 6.28318548f - 0.02f;
  ASSERT_EQ(SpinAngle + 0.02f, 6.28318548f);
  SpinAdvance();
  EXPECT_EQ(SpinAngle, 0.0f);
  SpinAngle = 0.0f;
}

TEST(Spin, StillTurnsAfterTwoToTheNineteenRadians) {
  SpinAngle = 0.0f;
  const long frames = static_cast<long>(std::ldexp(1.0, 19) / 0.02) + 1;
  for (long frame = 0; frame < frames; ++frame) SpinAdvance();
  const float before = SpinAngle;
  EXPECT_GE(before, 0.0f);
  EXPECT_LT(before, 6.28318548f);

  SpinAdvance();
  float step = SpinAngle - before;
  if (step < 0.0f) step += 6.28318548f;
  EXPECT_NEAR(step, 0.02f, 1e-5f);
  SpinAngle = 0.0f;
}

}  // namespace
