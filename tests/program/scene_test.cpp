#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "support/death_tests.h"
#include "support/matrix_near.h"
#include "support/program_doubles.h"
#include "scene/scene.h"

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

namespace {

Vector3 Position(const CubeVertex& v) { return {v.x, v.y, v.z}; }
Vector3 Normal(const CubeVertex& v) { return {v.nx, v.ny, v.nz}; }

class SceneSetupTest : public ::testing::Test {
 protected:
  void TearDown() override {
    DeviceShutdown();
    CubeVertexBuffer = nullptr;
    CubeTexture = nullptr;
    CubeTextureLock = {};
  }

  // The device's calls that make something or that must come in a set order, in order.
  CallLog OrderedCalls() const {
    CallLog ordered;
    for (const std::string& call : doubles.device.calls) {
      for (const char* name : {"Create", "SetTransform", "LightEnable", "SetLight"}) {
        if (call.rfind(name, 0) == 0) ordered.push_back(call);
      }
    }
    return ordered;
  }

  ProgramDoubles doubles;
  RecordingDevice& device = doubles.device;
  MemoryVertexBuffer& vertexBuffer = doubles.vertexBuffer;
  MemoryTexture& texture = doubles.texture;
};

TEST_F(SceneSetupTest, LeavesTheDeviceReadyToDrawTheLitTexturedCube) {
  SceneSetup();
  EXPECT_THAT(device.renderStates, UnorderedElementsAre(Pair("D3DRS_CULLMODE", "D3DCULL_CW"),
                                                        Pair("D3DRS_ZENABLE", "D3DZB_FALSE"),
                                                        Pair("D3DRS_LIGHTING", "TRUE")));
  EXPECT_EQ(device.vertexShader, "D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1");
  EXPECT_EQ(CubeVertexBuffer, &vertexBuffer);
  EXPECT_EQ(CubeTexture, &texture);
  EXPECT_EQ(device.textures[0], &texture);
  EXPECT_THAT(device.lightsEnabled, ElementsAre(Pair(0u, TRUE)));
  ASSERT_EQ(device.lights.count(0), 1u);
  const D3DLIGHT8& light = device.lights[0];
  EXPECT_EQ(light.Type, D3DLIGHT_POINT);
  EXPECT_EQ(light.Position.z, 15.0f);
  EXPECT_EQ(light.Range, 50.0f);
  EXPECT_EQ(light.Diffuse.r, 0.7f);
  EXPECT_EQ(light.Attenuation0, 1.0f);
  EXPECT_EQ(device.material.Diffuse.g, 1.0f);
  EXPECT_EQ(device.material.Ambient.b, 1.0f);
  EXPECT_EQ(device.material.Power, 0.0f);
}

// The device first; the buffer filled before the texture loads, whose failure must leave no
// transform set; a light enabled before it is defined.
TEST_F(SceneSetupTest, MakesItsResourcesBeforeTheTransformsAndEnablesTheLightFirst) {
  SceneSetup();
  EXPECT_THAT(OrderedCalls(),
              ElementsAre("CreateVertexBuffer(1152, 0, D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, "
                          "D3DPOOL_MANAGED)",
                          "CreateTexture(256, 256, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED)",
                          "SetTransform(D3DTS_VIEW, ptr)", "SetTransform(D3DTS_PROJECTION, ptr)",
                          "LightEnable(0, TRUE)", "SetLight(0, ptr)"));
  EXPECT_THAT(vertexBuffer.calls, ElementsAre("Lock(0, 0, ptr, 0)", "Unlock()"));
}

TEST_F(SceneSetupTest, CameraAndProjectionReachTheDevice) {
  SceneSetup();
  // The eye at z = 15 looking down -z, and 2 zn / w, 2 zn / h with h = cot(1.0472 / 2),
  // w = h / 0.75, zf / (zn - zf) and zn zf / (zn - zf) for zn = 1, zf = 100.
  EXPECT_TRUE(MatrixNear(device.transformByState.at(D3DTS_VIEW).m,
                         {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, -15, 1}}, 0));
  EXPECT_TRUE(MatrixNear(
      device.transformByState.at(D3DTS_PROJECTION).m,
      {{0.8660f, 0, 0, 0}, {0, 1.1547f, 0, 0}, {0, 0, -1.0101f, -1}, {0, 0, -1.0101f, 0}}, 1e-4f));
}

TEST_F(SceneSetupTest, TheVertexBufferHoldsExactlyTheTable) {
  SceneSetup();
  ASSERT_EQ(vertexBuffer.bytes.size(), 1152u);
  EXPECT_EQ(std::memcmp(vertexBuffer.bytes.data(), CubeVertices, 1152), 0);
}

// Checks the table against the cube it describes rather than against itself: a triangle's own
// corners give its face's outward normal, which each of its vertices must carry.
TEST(CubeTable, EveryTriangleLiesOnItsFaceTurnsCounterClockwiseOutsideAndCarriesItsNormal) {
  for (UINT t = 0; t < CubeVertexCount / 3; ++t) {
    SCOPED_TRACE(t);
    const CubeVertex* v = &CubeVertices[3 * t];
    Vector3 a, b, cross, outward;
    VecSubtract(a, Position(v[1]), Position(v[0]));
    VecSubtract(b, Position(v[2]), Position(v[0]));
    // Two edges of 10 at a right angle, turning counter-clockwise seen from outside: the cross
    // product is 100 long and points away from the centre.
    VecNormalize(outward, VecCross(cross, a, b));
    EXPECT_EQ(VecDot(cross, outward), 100.0f);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(VecDot(Position(v[k]), outward), 5.0f) << "corner " << k << " off its face";
      EXPECT_EQ(Normal(v[k]).x, outward.x) << "corner " << k;
      EXPECT_EQ(Normal(v[k]).y, outward.y) << "corner " << k;
      EXPECT_EQ(Normal(v[k]).z, outward.z) << "corner " << k;
    }
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
