// Per-vertex lighting against the fixed-function equations worked by hand: a triangle whose
// three vertices are lit alike, so that the colour across it is the colour at each vertex.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/render_draw.h"

namespace {

constexpr UINT Size = 32;

struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
};
constexpr DWORD LitVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL;

// An equilateral triangle around the z axis at z = 0.5, radius 0.8, facing -z (the camera, at
// the origin with every transform the identity). A light on the axis 0.6 in front of the plane
// is exactly 1 from each vertex, at N.L = 0.6.
const LitVertex Triangle[3] = {{0.0f, 0.8f, 0.5f, 0, 0, -1},
                               {0.69282032f, -0.4f, 0.5f, 0, 0, -1},
                               {-0.69282032f, -0.4f, 0.5f, 0, 0, -1}};
constexpr double Distance = 1.0, NDotL = 0.6;

// A triangle of the same kind whose vertices are 1.625 from a light at (0, 0, -1), exactly in
// float: 0.375 and 0.5, or 0.625, across and 1.5 deep.
const LitVertex ExactTriangle[3] = {{0.0f, -0.625f, 0.5f, 0, 0, -1},
                                    {0.375f, 0.5f, 0.5f, 0, 0, -1},
                                    {-0.375f, 0.5f, 0.5f, 0, 0, -1}};

D3DCOLORVALUE Rgb(float r, float g, float b) { return {r, g, b, 1.0f}; }

D3DCOLOR ColourOf(double r, double g, double b) {
  auto byte = [](double c) { return static_cast<int>(std::lround(std::clamp(c, 0.0, 1.0) * 255)); };
  return D3DCOLOR_XRGB(byte(r), byte(g), byte(b));
}

class LightingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(render.device, nullptr);
    render->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    render->SetRenderState(D3DRS_AMBIENT, D3DCOLOR_XRGB(0x20, 0x20, 0x20));
    material.Diffuse = Rgb(0.8f, 0.6f, 0.4f);
    material.Ambient = Rgb(0.5f, 0.5f, 0.5f);
    material.Specular = Rgb(0.5f, 0.5f, 0.5f);
    material.Power = 4.0f;
    render->SetMaterial(&material);
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = Rgb(1.0f, 0.5f, 0.25f);
    light.Ambient = Rgb(0.2f, 0.4f, 0.6f);
    light.Specular = Rgb(1.0f, 1.0f, 1.0f);
    light.Position = {0.0f, 0.0f, -0.1f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    light.Range = 10.0f;
    light.Attenuation0 = 1.0f;
    light.Attenuation1 = 0.5f;
    light.Attenuation2 = 0.5f;
  }

  D3DCOLOR LitColour(const LitVertex* triangle = Triangle) {
    render->SetLight(0, &light);
    render->LightEnable(0, TRUE);
    BackBufferClear(render, 0);
    VerticesDraw(render, D3DPT_TRIANGLELIST, 1, triangle, 3, sizeof(LitVertex), LitVertexFormat);
    const BackBufferImage image = render.BackBufferRead();
    return image.width == Size ? image.At(Size / 2, Size / 2) : 0;
  }

  // Ca (Ga + La att spot) + Cd Ld (N.L) att spot for one channel.
  static double Lit(double ca, double ga, double la, double cd, double ld, double reach) {
    return ca * (ga + la * reach) + cd * ld * NDotL * reach;
  }

  RenderDevice render{Size, Size};
  D3DMATERIAL8 material = {};
  D3DLIGHT8 light = {};
  const double ga = 0x20 / 255.0;  // the global ambient level
};

TEST_F(LightingTest, APointLightGivesAmbientPlusDiffuseTimesNDotLAttenuated) {
  const double attenuation = 1.0 / (1.0 + 0.5 * Distance + 0.5 * Distance * Distance);
  EXPECT_TRUE(ColourNear(
      LitColour(),
      ColourOf(Lit(0.5, ga, 0.2, 0.8, 1.0, attenuation), Lit(0.5, ga, 0.4, 0.6, 0.5, attenuation),
               Lit(0.5, ga, 0.6, 0.4, 0.25, attenuation)),
      2));
}

TEST_F(LightingTest, BeyondItsRangeALightAddsNothingNotEvenItsAmbient) {
  light.Range = 0.99f;
  EXPECT_TRUE(ColourNear(LitColour(), ColourOf(0.5 * ga, 0.5 * ga, 0.5 * ga), 1));
}

// The range is the distance beyond which a light adds nothing: a vertex exactly at it is lit.
TEST_F(LightingTest, AVertexExactlyAtALightsRangeIsLit) {
  light.Position = {0.0f, 0.0f, -1.0f};
  light.Range = 2.0f;
  const D3DCOLOR inside = LitColour(ExactTriangle);
  ASSERT_NE(inside, ColourOf(0.5 * ga, 0.5 * ga, 0.5 * ga));
  light.Range = 1.625f;
  EXPECT_EQ(LitColour(ExactTriangle), inside);
}

TEST_F(LightingTest, ADirectionalLightIsNeitherAttenuatedNorLimitedByRange) {
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Range = 0.0f;
  // Shining straight at the triangle: N.L = 1.
  EXPECT_TRUE(ColourNear(LitColour(),
                         ColourOf(0.5 * (ga + 0.2) + 0.8 * 1.0, 0.5 * (ga + 0.4) + 0.6 * 0.5,
                                  0.5 * (ga + 0.6) + 0.4 * 0.25),
                         2));
}

TEST_F(LightingTest, ASpotLightsVerticesInsideItsConeAndNothingOutside) {
  light.Type = D3DLIGHT_SPOT;
  light.Falloff = 1.0f;
  // The vertices are 53 degrees off the spot's axis (cos = 0.6).
  light.Theta = 2.0f * std::acos(0.5f);  // inner cone to 60 degrees: full light
  light.Phi = 2.0f * std::acos(0.4f);
  const double attenuation = 0.5;
  const D3DCOLOR inside =
      ColourOf(Lit(0.5, ga, 0.2, 0.8, 1.0, attenuation), Lit(0.5, ga, 0.4, 0.6, 0.5, attenuation),
               Lit(0.5, ga, 0.6, 0.4, 0.25, attenuation));
  EXPECT_TRUE(ColourNear(LitColour(), inside, 2));
  light.Theta = 2.0f * std::acos(0.95f);
  light.Phi = 2.0f * std::acos(0.9f);  // outer cone to 26 degrees: no light at all
  EXPECT_TRUE(ColourNear(LitColour(), ColourOf(0.5 * ga, 0.5 * ga, 0.5 * ga), 1));
}

// Between its cones the light falls off as ((rho - cos(phi/2)) / (cos(theta/2) - cos(phi/2)))
// raised to the falloff: here rho lies halfway, so the spot factor is one half to that power.
TEST_F(LightingTest, BetweenItsConesASpotLightFallsOffToTheFalloffsPower) {
  light.Type = D3DLIGHT_SPOT;
  light.Theta = 2.0f * std::acos(0.8f);
  light.Phi = 2.0f * std::acos(0.4f);
  for (const float falloff : {1.0f, 2.0f}) {
    light.Falloff = falloff;
    const double reach = 0.5 * std::pow(0.5, falloff);  // attenuation times the spot factor
    EXPECT_TRUE(
        ColourNear(LitColour(),
                   ColourOf(Lit(0.5, ga, 0.2, 0.8, 1.0, reach), Lit(0.5, ga, 0.4, 0.6, 0.5, reach),
                            Lit(0.5, ga, 0.6, 0.4, 0.25, reach)),
                   2))
        << "falloff " << falloff;
  }
}

// Lights are placed in the world; lighting is worked in the camera's space. With the view
// turned a quarter about x and the world turned back, the triangle is where it was, and a spot
// light placed and aimed in the world to come out where it was lights it as before.
TEST_F(LightingTest, ASpotLightPlacedInTheWorldIsTurnedWithTheView) {
  // (x, y, z) to (x, -z, y), and back.
  D3DMATRIX view = {}, back = {};
  view._11 = back._11 = 1.0f;
  view._44 = back._44 = 1.0f;
  view._23 = back._32 = 1.0f;
  view._32 = back._23 = -1.0f;
  ASSERT_EQ(render->SetTransform(D3DTS_VIEW, &view), D3D_OK);
  ASSERT_EQ(render->SetTransform(D3DTS_WORLD, &back), D3D_OK);
  light.Type = D3DLIGHT_SPOT;
  light.Position = {0.0f, -0.1f, 0.0f};
  light.Direction = {0.0f, 1.0f, 0.0f};
  light.Falloff = 1.0f;
  light.Theta = 2.0f * std::acos(0.8f);
  light.Phi = 2.0f * std::acos(0.4f);
  const double reach = 0.5 * 0.5;  // halfway between the cones, as above
  EXPECT_TRUE(
      ColourNear(LitColour(),
                 ColourOf(Lit(0.5, ga, 0.2, 0.8, 1.0, reach), Lit(0.5, ga, 0.4, 0.6, 0.5, reach),
                          Lit(0.5, ga, 0.6, 0.4, 0.25, reach)),
                 2));
}

TEST_F(LightingTest, SpecularIsAddedOnlyWhenEnabled) {
  const double attenuation = 0.5;
  const D3DCOLOR diffuseOnly =
      ColourOf(Lit(0.5, ga, 0.2, 0.8, 1.0, attenuation), Lit(0.5, ga, 0.4, 0.6, 0.5, attenuation),
               Lit(0.5, ga, 0.6, 0.4, 0.25, attenuation));
  EXPECT_TRUE(ColourNear(LitColour(), diffuseOnly, 2));
  render->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
  // Half vector between the directions to the light and to the viewer (at the origin), at the
  // top vertex (0, 0.8, 0.5): (0, -0.8, -0.6) and (0, -0.8, -0.5) / |.|.
  const double viewerLength = std::sqrt(0.64 + 0.25);
  const double hy = -0.8 - 0.8 / viewerLength, hz = -0.6 - 0.5 / viewerLength;
  const double nDotH = -hz / std::sqrt(hy * hy + hz * hz);
  const double specular = 0.5 * std::pow(nDotH, 4.0) * attenuation;
  const D3DCOLOR withSpecular = ColourOf(Lit(0.5, ga, 0.2, 0.8, 1.0, attenuation) + specular,
                                         Lit(0.5, ga, 0.4, 0.6, 0.5, attenuation) + specular,
                                         Lit(0.5, ga, 0.6, 0.4, 0.25, attenuation) + specular);
  EXPECT_TRUE(ColourNear(LitColour(), withSpecular, 2));
}

// A light grazing the surface, at right angles to its normal (N.L exactly 0), gives it neither
// diffuse nor specular light, though the half vector still leans towards the normal.
TEST_F(LightingTest, ALightAlongTheSurfaceGivesNoDiffuseNorSpecular) {
  render->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Direction = {1.0f, 0.0f, 0.0f};
  EXPECT_TRUE(
      ColourNear(LitColour(), ColourOf(0.5 * (ga + 0.2), 0.5 * (ga + 0.4), 0.5 * (ga + 0.6)), 1));
}

TEST_F(LightingTest, WithoutLightingTheVertexColourOrWhiteIsUsed) {
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  EXPECT_TRUE(ColourNear(LitColour(), 0x00FFFFFF, 0));
}

}  // namespace
