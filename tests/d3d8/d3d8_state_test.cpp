// The device's state: the documented defaults, and what is set is what is read back.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/render_device.h"

namespace {

DWORD FloatBits(float value) {
  DWORD bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

class DeviceStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(render.device, nullptr); }

  DWORD RenderState(D3DRENDERSTATETYPE state) {
    DWORD value = 0xDEADBEEF;
    EXPECT_EQ(render->GetRenderState(state, &value), D3D_OK) << "state " << state;
    return value;
  }

  DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type) {
    DWORD value = 0xDEADBEEF;
    EXPECT_EQ(render->GetTextureStageState(stage, type, &value), D3D_OK)
        << "stage " << stage << ", type " << type;
    return value;
  }

  RenderDevice render{16, 16};
};

TEST_F(DeviceStateTest, RenderStatesStartAtTheirDocumentedDefaults) {
  const struct {
    D3DRENDERSTATETYPE state;
    DWORD value;
  } defaults[] = {
      {D3DRS_FILLMODE, D3DFILL_SOLID},
      {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
      {D3DRS_ZWRITEENABLE, TRUE},
      {D3DRS_ALPHATESTENABLE, FALSE},
      {D3DRS_LASTPIXEL, TRUE},
      {D3DRS_SRCBLEND, D3DBLEND_ONE},
      {D3DRS_DESTBLEND, D3DBLEND_ZERO},
      {D3DRS_CULLMODE, D3DCULL_CCW},
      {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
      {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
      {D3DRS_DITHERENABLE, FALSE},
      {D3DRS_ALPHABLENDENABLE, FALSE},
      {D3DRS_FOGENABLE, FALSE},
      {D3DRS_SPECULARENABLE, FALSE},
      {D3DRS_FOGEND, FloatBits(1.0f)},
      {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF},
      {D3DRS_CLIPPING, TRUE},
      {D3DRS_LIGHTING, TRUE},
      {D3DRS_AMBIENT, 0},
      {D3DRS_COLORVERTEX, TRUE},
      {D3DRS_LOCALVIEWER, TRUE},
      {D3DRS_NORMALIZENORMALS, FALSE},
      {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
      {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2},
      {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL},
      {D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL},
      {D3DRS_POINTSIZE, FloatBits(1.0f)},
      {D3DRS_COLORWRITEENABLE, 0x0000000F},
      {D3DRS_BLENDOP, D3DBLENDOP_ADD},
  };
  for (const auto& expected : defaults) {
    EXPECT_EQ(RenderState(expected.state), expected.value) << "state " << expected.state;
  }
}

TEST_F(DeviceStateTest, OnlyTheFirstTextureStageIsOnAtFirst) {
  for (DWORD stage = 0; stage < 8; ++stage) {
    SCOPED_TRACE(testing::Message() << "stage " << stage);
    EXPECT_EQ(StageState(stage, D3DTSS_COLOROP),
              DWORD(stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE));
    EXPECT_EQ(StageState(stage, D3DTSS_ALPHAOP),
              DWORD(stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE));
    EXPECT_EQ(StageState(stage, D3DTSS_COLORARG1), DWORD{D3DTA_TEXTURE});
    EXPECT_EQ(StageState(stage, D3DTSS_COLORARG2), DWORD{D3DTA_CURRENT});
    EXPECT_EQ(StageState(stage, D3DTSS_TEXCOORDINDEX), stage);
    EXPECT_EQ(StageState(stage, D3DTSS_ADDRESSU), DWORD{D3DTADDRESS_WRAP});
    EXPECT_EQ(StageState(stage, D3DTSS_ADDRESSV), DWORD{D3DTADDRESS_WRAP});
    EXPECT_EQ(StageState(stage, D3DTSS_MAGFILTER), DWORD{D3DTEXF_POINT});
    EXPECT_EQ(StageState(stage, D3DTSS_MINFILTER), DWORD{D3DTEXF_POINT});
    EXPECT_EQ(StageState(stage, D3DTSS_MIPFILTER), DWORD{D3DTEXF_NONE});
  }
}

TEST_F(DeviceStateTest, StatesReadBackAsSetAndStagesEndAtEight) {
  ASSERT_EQ(render->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
  EXPECT_EQ(RenderState(D3DRS_CULLMODE), DWORD{D3DCULL_NONE});
  ASSERT_EQ(render->SetTextureStageState(7, D3DTSS_COLOROP, D3DTOP_MODULATE4X), D3D_OK);
  EXPECT_EQ(StageState(7, D3DTSS_COLOROP), DWORD{D3DTOP_MODULATE4X});
  EXPECT_EQ(render->SetTexture(7, nullptr), D3D_OK);
#ifndef _WIN32
  // Windows' runtime does not check the stage (Wine's d3d8 device test test_limits: no error,
  // and memory overwritten further on); ours refuses a stage past the eighth.
  EXPECT_EQ(render->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_MODULATE), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->SetTexture(8, nullptr), D3DERR_INVALIDCALL);
#endif
  ASSERT_EQ(render->SetVertexShader(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1), D3D_OK);
  DWORD fvf = 0;
  ASSERT_EQ(render->GetVertexShader(&fvf), D3D_OK);
  EXPECT_EQ(fvf, DWORD{D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1});
}

TEST_F(DeviceStateTest, TransformsStartAsIdentityAndKeepWhatIsSet) {
  D3DMATRIX matrix;
  for (D3DTRANSFORMSTATETYPE state : {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION, D3DTS_TEXTURE3}) {
    ASSERT_EQ(render->GetTransform(state, &matrix), D3D_OK);
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(matrix.m[r][c], r == c ? 1.0f : 0.0f) << "state " << state;
      }
    }
  }
  for (int i = 0; i < 16; ++i) matrix.m[i / 4][i % 4] = static_cast<float>(i) - 3.5f;
  ASSERT_EQ(render->SetTransform(D3DTS_VIEW, &matrix), D3D_OK);
  D3DMATRIX view;
  ASSERT_EQ(render->GetTransform(D3DTS_VIEW, &view), D3D_OK);
  EXPECT_EQ(std::memcmp(&view, &matrix, sizeof matrix), 0);
}

// Every transform keeps a matrix of its own: the view, the projection, the 256 world matrices
// and the eight texture transforms, each set to a matrix that names it, read back as set.
TEST_F(DeviceStateTest, EachTransformKeepsItsOwnMatrix) {
  std::vector<D3DTRANSFORMSTATETYPE> states = {D3DTS_VIEW, D3DTS_PROJECTION};
  for (UINT n = 0; n < 256; ++n) states.push_back(D3DTS_WORLDMATRIX(n));
  for (UINT stage = 0; stage < 8; ++stage)
    states.push_back(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + stage));
  const auto named = [](D3DTRANSFORMSTATETYPE state) {
    D3DMATRIX matrix = {};
    matrix.m[3][3] = 1.0f;
    matrix.m[0][0] = static_cast<float>(state);
    return matrix;
  };
  for (const D3DTRANSFORMSTATETYPE state : states) {
    const D3DMATRIX matrix = named(state);
    ASSERT_EQ(render->SetTransform(state, &matrix), D3D_OK) << "state " << state;
  }
  for (const D3DTRANSFORMSTATETYPE state : states) {
    D3DMATRIX matrix = {};
    ASSERT_EQ(render->GetTransform(state, &matrix), D3D_OK) << "state " << state;
    const D3DMATRIX expected = named(state);
    EXPECT_EQ(std::memcmp(&matrix, &expected, sizeof matrix), 0) << "state " << state;
  }
}

// Enabling a light never set defines the default light: white, directional, along +z.
TEST_F(DeviceStateTest, EnablingAnUnsetLightDefinesTheDefaultLight) {
  D3DLIGHT8 light = {};
  EXPECT_EQ(render->GetLight(3, &light), D3DERR_INVALIDCALL);
  ASSERT_EQ(render->LightEnable(3, TRUE), D3D_OK);
  ASSERT_EQ(render->GetLight(3, &light), D3D_OK);
  EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
  EXPECT_EQ(light.Diffuse.r, 1.0f);
  EXPECT_EQ(light.Diffuse.g, 1.0f);
  EXPECT_EQ(light.Diffuse.b, 1.0f);
  EXPECT_EQ(light.Diffuse.a, 0.0f);
  EXPECT_EQ(light.Specular.r, 0.0f);
  EXPECT_EQ(light.Ambient.r, 0.0f);
  EXPECT_EQ(light.Direction.x, 0.0f);
  EXPECT_EQ(light.Direction.y, 0.0f);
  EXPECT_EQ(light.Direction.z, 1.0f);
  EXPECT_EQ(light.Range, 0.0f);
  BOOL enabled = FALSE;
  ASSERT_EQ(render->GetLightEnable(3, &enabled), D3D_OK);
  EXPECT_TRUE(enabled);

  D3DLIGHT8 point = {};
  point.Type = D3DLIGHT_POINT;
  point.Diffuse = {0.5f, 0.25f, 1.0f, 1.0f};
  point.Position = {1.0f, 2.0f, 3.0f};
  point.Range = 100.0f;
  point.Attenuation0 = 1.0f;
  ASSERT_EQ(render->SetLight(0, &point), D3D_OK);
  ASSERT_EQ(render->GetLight(0, &light), D3D_OK);
  EXPECT_EQ(std::memcmp(&light, &point, sizeof point), 0);
  ASSERT_EQ(render->GetLightEnable(0, &enabled), D3D_OK);
  EXPECT_FALSE(enabled);
}

#ifndef _WIN32
// Windows' runtime keeps lights at any index; ours keeps eight, the most it lights at once,
// and refuses one past them rather than keeping it anywhere.
TEST_F(DeviceStateTest, OurDeviceKeepsEightLightsAndRefusesTheNinth) {
  D3DLIGHT8 light = {};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Direction = {0.0f, 0.0f, 1.0f};
  ASSERT_EQ(render->SetLight(7, &light), D3D_OK);
  EXPECT_EQ(render->LightEnable(7, TRUE), D3D_OK);
  EXPECT_EQ(render->SetLight(8, &light), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->GetLight(8, &light), D3DERR_INVALIDCALL);
  EXPECT_EQ(render->LightEnable(8, TRUE), D3DERR_INVALIDCALL);
  BOOL enabled = FALSE;
  EXPECT_EQ(render->GetLightEnable(8, &enabled), D3DERR_INVALIDCALL);
}
#endif

}  // namespace
