#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "doubles/recording_device.h"
#include "scene/scene.h"

using ::testing::ElementsAre;

namespace {

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

  // The world matrix a frame at this angle must set, built from the library's own factors.
  static Matrix4 ExpectedWorld(float angle) {
    Matrix4 world, step;
    MatRotationX(world, angle);
    MatMultiply(world, world, MatRotationY(step, angle));
    MatMultiply(world, world, MatRotationZ(step, angle));
    MatMultiply(world, world, MatTranslation(step, -0.5f, -0.5f, -3.5f));
    return world;
  }

  static void ExpectSameMatrix(const D3DMATRIX& actual, const Matrix4& expected) {
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) EXPECT_EQ(actual.m[r][c], expected.m[r][c]) << r << ", " << c;
    }
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
              ElementsAre("Clear(0, null, 3, 0, 1, 0)", "BeginScene()", "SetTransform(256, ptr)",
                          "SetStreamSource(0, ptr, 32)", "DrawPrimitive(4, 0, 12)", "EndScene()",
                          "Present(null, null, null, null)"));
  EXPECT_EQ(device.streamSource, vertexBuffer);
}

TEST_F(FrameTest, FirstFrameIsThePureTranslation) {
  FrameRender();
  ASSERT_EQ(device.transforms.size(), 1u);
  const float translation[4][4] = {
      {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-0.5f, -0.5f, -3.5f, 1}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(device.transforms[0].m[r][c], translation[r][c]);
  }
}

TEST_F(FrameTest, TheAngleAdvancesAfterPresent) {
  FrameRender();
  EXPECT_EQ(SpinAngle, 0.02f);
  FrameRender();
  ASSERT_EQ(device.transforms.size(), 2u);
  ExpectSameMatrix(device.transforms[1], ExpectedWorld(0.02f));
  EXPECT_EQ(SpinAngle, 0.02f + 0.02f);
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
  ExpectSameMatrix(device.transforms.back(), ExpectedWorld(sum - 0.02f));
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
