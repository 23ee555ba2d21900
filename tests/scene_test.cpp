#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "doubles/memory_texture.h"
#include "working_directory.h"
#include "doubles/memory_vertex_buffer.h"
#include "doubles/recording_device.h"
#include "doubles/scripted_direct3d.h"
#include "scene/scene.h"

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

Vector3 Position(const CubeVertex& v) { return {v.x, v.y, v.z}; }
Vector3 Normal(const CubeVertex& v) { return {v.nx, v.ny, v.nz}; }

class SceneSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream("mad040.raw", std::ios::binary) << std::string(256 * 256 * 3, '\x40');

    Direct3DToCreate = &direct3d;
    direct3d.deviceToCreate = &device;
    device.vertexBufferToCreate = &vertexBuffer;
    device.textureToCreate = &texture;
  }
  void TearDown() override {
    DeviceShutdown();
    Direct3DToCreate = nullptr;
    CubeVertexBuffer = nullptr;
    CubeTexture = nullptr;
    CubeTextureLock = {};
  }

  ScratchWorkingDirectory workingDirectory;
  ScriptedDirect3D direct3d;
  RecordingDevice device;
  MemoryVertexBuffer vertexBuffer{sizeof(CubeVertex) * CubeVertexCount};
  MemoryTexture texture{256, 256, 1024, 0};
};

TEST_F(SceneSetupTest, CallsTheDeviceInOrder) {
  SceneSetup();
  EXPECT_THAT(device.calls,
              ElementsAre("SetRenderState(22, 2)", "SetVertexShader(274)",
                          "CreateVertexBuffer(1152, 0, 274, 1)",
                          "CreateTexture(256, 256, 0, 0, 21, 1)", "SetTexture(0, ptr)",
                          "SetTextureStageState(0, 17, 2)", "SetTextureStageState(0, 16, 2)",
                          "SetTextureStageState(0, 1, 6)", "SetTextureStageState(0, 2, 2)",
                          "SetTextureStageState(0, 3, 1)", "SetTransform(2, ptr)",
                          "SetTransform(3, ptr)", "SetRenderState(7, 0)", "SetRenderState(137, 1)",
                          "LightEnable(0, 1)", "SetLight(0, ptr)", "SetMaterial(ptr)"));
  EXPECT_THAT(vertexBuffer.calls, ElementsAre("Lock(0, 0, ptr, 0)", "Unlock()"));
  EXPECT_EQ(CubeVertexBuffer, &vertexBuffer);
  EXPECT_EQ(CubeTexture, &texture);
}

TEST_F(SceneSetupTest, CameraAndProjectionReachTheDevice) {
  SceneSetup();
  const D3DMATRIX& view = device.transformByState.at(D3DTS_VIEW);
  const float expectedView[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, -15, 1}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(view.m[r][c], expectedView[r][c]) << r << ", " << c;
  }
  const D3DMATRIX& projection = device.transformByState.at(D3DTS_PROJECTION);
  EXPECT_NEAR(projection.m[0][0], 0.8660f, 1e-4f);
  EXPECT_NEAR(projection.m[1][1], 1.1547f, 1e-4f);
  EXPECT_NEAR(projection.m[2][2], -1.0101f, 1e-4f);
  EXPECT_NEAR(projection.m[3][2], -1.0101f, 1e-4f);
  EXPECT_EQ(projection.m[2][3], -1.0f);
  EXPECT_EQ(projection.m[3][3], 0.0f);
}

TEST_F(SceneSetupTest, TheVertexBufferHoldsExactlyTheTable) {
  SceneSetup();
  ASSERT_EQ(vertexBuffer.bytes.size(), 1152u);
  EXPECT_EQ(std::memcmp(vertexBuffer.bytes.data(), CubeVertices, 1152), 0);
}

// Checks the table against the cube it describes rather than against itself.
TEST(CubeTable, EveryTriangleLiesOnItsFaceAndTurnsCounterClockwiseOutside) {
  for (UINT t = 0; t < CubeVertexCount / 3; ++t) {
    SCOPED_TRACE(t);
    const CubeVertex* v = &CubeVertices[3 * t];
    const Vector3 normal = Normal(v[0]);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(VecDot(Position(v[k]), normal), 5.0f);
      EXPECT_EQ(VecDot(Normal(v[k]), normal), 1.0f);
    }
    Vector3 a, b, cross;
    VecSubtract(a, Position(v[1]), Position(v[0]));
    VecSubtract(b, Position(v[2]), Position(v[0]));
    EXPECT_EQ(VecDot(VecCross(cross, a, b), normal), 100.0f);
  }
  // Face order: -z, +z, -x, +x, -y, +y.
  const float faceNormals[6][3] = {{0, 0, -1}, {0, 0, 1},  {-1, 0, 0},
                                   {1, 0, 0},  {0, -1, 0}, {0, 1, 0}};
  for (int face = 0; face < 6; ++face) {
    const CubeVertex& first = CubeVertices[6 * face];
    EXPECT_EQ(first.nx, faceNormals[face][0]);
    EXPECT_EQ(first.ny, faceNormals[face][1]);
    EXPECT_EQ(first.nz, faceNormals[face][2]);
  }
}

TEST(CubeTable, EachFaceShowsTheWholeTextureMirrored) {
  const float corners[6][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}, {1, 1}, {0, 0}};
  for (UINT i = 0; i < CubeVertexCount; ++i) {
    EXPECT_EQ(CubeVertices[i].tu, corners[i % 6][0]) << i;
    EXPECT_EQ(CubeVertices[i].tv, corners[i % 6][1]) << i;
  }
  // Seen from outside with v = 0 at the top, u = 0 is on the viewer's right: on the z = +5
  // face, seen from +z, right is +x.
  EXPECT_EQ(CubeVertices[7].x, 5.0f);
  EXPECT_EQ(CubeVertices[7].tu, 0.0f);
  EXPECT_EQ(CubeVertices[7].y, 5.0f);
  EXPECT_EQ(CubeVertices[7].tv, 0.0f);
}

using SceneSetupDeathTest = SceneSetupTest;

TEST_F(SceneSetupDeathTest, AMissingImageEndsBeforeAnyTransform) {
  std::filesystem::remove("mad040.raw");
  device.echo = true;
  EXPECT_EXIT(SceneSetup(), ::testing::ExitedWithCode(0),
              AllOf(HasSubstr("Error: Missing file: mad040.raw"), Not(HasSubstr("SetTransform")),
                    Not(HasSubstr("Error: Failed"))));
}

TEST_F(SceneSetupDeathTest, EachCheckedFailureEndsTheProcessQuietly) {
  device.vertexBufferToCreate = nullptr;
  EXPECT_EXIT(SceneSetup(), ::testing::ExitedWithCode(0),
              HasSubstr("Error: Failed to create vertex buffer"));

  device.vertexBufferToCreate = &vertexBuffer;
  Direct3DToCreate = nullptr;
  EXPECT_EXIT(SceneSetup(), ::testing::ExitedWithCode(0),
              HasSubstr("Error: Unable to create a Direct3D interface"));
}

TEST_F(SceneSetupDeathTest, AFailedVertexBufferLockEndsTheProcessInsteadOfCopying) {
  vertexBuffer.lockResult = D3DERR_INVALIDCALL;
  EXPECT_EXIT(SceneSetup(), ::testing::ExitedWithCode(0),
              HasSubstr("Error: Failed to lock vertex buffer"));

  vertexBuffer.lockResult = D3D_OK;
  vertexBuffer.lockGivesNull = true;
  EXPECT_EXIT(SceneSetup(), ::testing::ExitedWithCode(0),
              HasSubstr("Error: Failed to lock vertex buffer"));
}

}  // namespace
