// The software device's per-pixel passes at every processor level this machine runs draw the
// same pixels: each level's vectors hold another number of pixels, and nothing drawn may depend
// on that. Every filter, addressing mode, texture stage operation and argument modifier, both
// colours, depth, and triangles from large to a pixel wide, all through the Direct3D 8 API.
// The program's whole turn is held to a digest recorded on another processor, so that a
// processor of one level alone (aarch64's) is compared too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/d3d8/objects/present_pacing.h"
#include "platform/d3d8/pipeline/pixel/simd_level.h"
#include "support/program_scene.h"
#include "support/render_draw.h"

namespace {

using d3d8sw::SimdLevel;

constexpr UINT Width = 100;
constexpr UINT Height = 70;

// Vertices on the screen with both colours; a vertex's rhw makes texturing and colours
// perspective-correct across the triangle.
struct LitVertex {
  float x, y, z, rhw;
  D3DCOLOR diffuse, specular;
  float u, v;
};
constexpr DWORD LitVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1;

// A quad in steep perspective over most of the target, its coordinates running over several
// repeats of the texture both ways, and a fan of ever thinner triangles down to a pixel.
std::vector<LitVertex> Mesh() {
  std::vector<LitVertex> mesh = {
      {2.5f, 3.0f, 0.2f, 1.0f, 0xFF2040FF, 0x00400000, -1.3f, -0.6f},
      {97.0f, 6.0f, 0.9f, 0.15f, 0x80FF8020, 0x00002040, 2.7f, -0.6f},
      {5.0f, 66.5f, 0.5f, 0.6f, 0x40FFFFFF, 0x00101010, -1.3f, 3.1f},
      {97.0f, 6.0f, 0.9f, 0.15f, 0x80FF8020, 0x00002040, 2.7f, -0.6f},
      {94.0f, 67.0f, 0.7f, 0.3f, 0xFF00FF00, 0x00FFFFFF, 2.7f, 3.1f},
      {5.0f, 66.5f, 0.5f, 0.6f, 0x40FFFFFF, 0x00101010, -1.3f, 3.1f},
  };
  for (int i = 0; i < 12; ++i) {
    const float x = 10.0f + 7.0f * i, spread = 8.0f / (1 + i);
    mesh.push_back({x, 10.0f, 0.1f, 1.0f, 0xFFFF0000, 0x00000000, 0.0f, 0.0f});
    mesh.push_back({x + spread, 30.0f + i, 0.3f, 0.5f, 0xFF0000FF, 0x00808080, 0.9f, 0.4f});
    mesh.push_back({x - 0.7f, 45.0f + 1.5f * i, 0.6f, 0.8f, 0x7F00FF00, 0x00000080, 0.2f, 1.7f});
  }
  return mesh;
}

// A texture of `width` by `height` texels whose every channel varies.
IDirect3DTexture8* TextureMake(const RenderDevice& render, UINT width, UINT height,
                               D3DFORMAT format) {
  IDirect3DTexture8* texture = nullptr;
  EXPECT_EQ(render->CreateTexture(width, height, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
  if (!texture) return nullptr;
  D3DLOCKED_RECT locked = {};
  EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  for (UINT y = 0; y < height; ++y) {
    DWORD* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
    for (UINT x = 0; x < width; ++x) row[x] = (x * 0x3B1F5D27u) ^ (y * 0x9E3779B9u);
  }
  texture->UnlockRect(0);
  return texture;
}

// A texture stage's operations and arguments: colour op, arg 1, arg 2, then the same for alpha.
using StageSettings = DWORD[6];

void StageUse(const RenderDevice& render, DWORD stage, const StageSettings& settings) {
  const D3DTEXTURESTAGESTATETYPE types[6] = {D3DTSS_COLOROP, D3DTSS_COLORARG1, D3DTSS_COLORARG2,
                                             D3DTSS_ALPHAOP, D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2};
  for (int i = 0; i < 6; ++i) render->SetTextureStageState(stage, types[i], settings[i]);
}

enum class TextureKind { None, Square, Odd };

struct Variation {
  const char* name;
  TextureKind texture;
  DWORD filter, address;
  StageSettings stages[2];
  bool specular;
};

constexpr DWORD Texture = D3DTA_TEXTURE, Diffuse = D3DTA_DIFFUSE, Current = D3DTA_CURRENT;
constexpr DWORD Disabled[6] = {D3DTOP_DISABLE, Texture, Current, D3DTOP_DISABLE, Texture, Current};

const Variation Variations[] = {
    {"point, wrap, texture alone",
     TextureKind::Square,
     D3DTEXF_POINT,
     D3DTADDRESS_WRAP,
     {{D3DTOP_SELECTARG1, Texture, Diffuse, D3DTOP_SELECTARG1, Texture, Diffuse}},
     false},
    {"linear, wrap, four times the diffuse colour",
     TextureKind::Square,
     D3DTEXF_LINEAR,
     D3DTADDRESS_WRAP,
     {{D3DTOP_MODULATE4X, Texture, Current, D3DTOP_SELECTARG1, Texture, Current}},
     false},
    {"linear, mirror, modulated",
     TextureKind::Square,
     D3DTEXF_LINEAR,
     D3DTADDRESS_MIRROR,
     {{D3DTOP_MODULATE, Texture, Diffuse, D3DTOP_MODULATE, Texture, Diffuse}},
     false},
    {"linear, clamp, twice, odd sizes without alpha",
     TextureKind::Odd,
     D3DTEXF_LINEAR,
     D3DTADDRESS_CLAMP,
     {{D3DTOP_MODULATE2X, Texture, Diffuse, D3DTOP_SELECTARG2, Texture, Diffuse}},
     false},
    {"linear, border, alpha replicated",
     TextureKind::Square,
     D3DTEXF_LINEAR,
     D3DTADDRESS_BORDER,
     {{D3DTOP_MODULATE, Texture | D3DTA_ALPHAREPLICATE, Diffuse, D3DTOP_ADD, Texture, Diffuse}},
     false},
    {"point, mirror once, odd sizes, added, specular",
     TextureKind::Odd,
     D3DTEXF_POINT,
     D3DTADDRESS_MIRRORONCE,
     {{D3DTOP_ADD, Texture, Diffuse, D3DTOP_SELECTARG1, Diffuse, Texture}},
     true},
    {"linear, wrap, odd sizes, complements and the texture factor",
     TextureKind::Odd,
     D3DTEXF_LINEAR,
     D3DTADDRESS_WRAP,
     {{D3DTOP_MODULATE2X, Texture | D3DTA_COMPLEMENT, D3DTA_TFACTOR, D3DTOP_MODULATE,
       Diffuse | D3DTA_COMPLEMENT, D3DTA_TFACTOR}},
     false},
    {"two stages, the second adding the specular colour",
     TextureKind::Square,
     D3DTEXF_LINEAR,
     D3DTADDRESS_WRAP,
     {{D3DTOP_MODULATE, Texture, Diffuse, D3DTOP_SELECTARG1, Diffuse, Texture},
      {D3DTOP_ADD, Current, D3DTA_SPECULAR, D3DTOP_SELECTARG2, Current, D3DTA_SPECULAR}},
     false},
    {"no stage: the colours alone",
     TextureKind::None,
     D3DTEXF_POINT,
     D3DTADDRESS_WRAP,
     {{D3DTOP_DISABLE, Texture, Diffuse, D3DTOP_DISABLE, Texture, Diffuse}},
     true},
};

void VariationUse(const RenderDevice& render, const Variation& variation, IDirect3DTexture8* square,
                  IDirect3DTexture8* odd) {
  render->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  render->SetRenderState(D3DRS_SPECULARENABLE, variation.specular);
  render->SetRenderState(D3DRS_TEXTUREFACTOR, 0x9060A0C0);
  render->SetTexture(0, variation.texture == TextureKind::Square
                            ? square
                            : (variation.texture == TextureKind::Odd ? odd : nullptr));
  render->SetTextureStageState(0, D3DTSS_MINFILTER, variation.filter);
  render->SetTextureStageState(0, D3DTSS_MAGFILTER, variation.filter);
  render->SetTextureStageState(0, D3DTSS_ADDRESSU, variation.address);
  render->SetTextureStageState(0, D3DTSS_ADDRESSV, variation.address);
  render->SetTextureStageState(0, D3DTSS_BORDERCOLOR, 0x80C04020);
  StageUse(render, 0, variation.stages[0]);
  // A stage left out of the list is all zeros: disabled.
  StageUse(render, 1, variation.stages[1][0] == 0 ? Disabled : variation.stages[1]);
}

// Everything the variations draw, one image after another.
std::vector<BackBufferImage> VariationsDraw() {
  RenderDevice render(Width, Height, D3DFMT_D24X8);
  if (!render.device) return {};
  IDirect3DTexture8* square = TextureMake(render, 16, 16, D3DFMT_A8R8G8B8);
  IDirect3DTexture8* odd = TextureMake(render, 13, 7, D3DFMT_X8R8G8B8);
  const std::vector<LitVertex> mesh = Mesh();
  std::vector<BackBufferImage> images;
  for (const Variation& variation : Variations) {
    VariationUse(render, variation, square, odd);
    BackBufferClear(render, 0xFF000000, true);
    VerticesDraw(render, D3DPT_TRIANGLELIST, static_cast<UINT>(mesh.size() / 3), mesh.data(),
                 static_cast<UINT>(mesh.size()), sizeof(LitVertex), LitVertexFormat);
    images.push_back(render.BackBufferRead());
  }
  render->SetTexture(0, nullptr);
  if (square) square->Release();
  if (odd) odd->Release();
  return images;
}

// Frames of the program's own turn.
std::vector<BackBufferImage> ProgramFramesDraw() {
  ProgramScene scene(PictureWithDetail());
  d3d8sw::PresentPacingSet(false);
  std::vector<BackBufferImage> images;
  for (int frame = 0; frame < 60; ++frame) {
    FrameRender();
    if (frame % 6 == 0) images.push_back(BackBufferRead(Device));
  }
  d3d8sw::PresentPacingSet(true);
  return images;
}

size_t PixelsDiffering(const BackBufferImage& a, const BackBufferImage& b) {
  if (a.pixels.size() != b.pixels.size()) return std::max(a.pixels.size(), b.pixels.size());
  size_t differing = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) differing += a.pixels[i] != b.pixels[i];
  return differing;
}

// Pixels the drawing changed from the clear colours: a comparison of images with nothing drawn
// in them would prove nothing.
size_t PixelsDrawn(const BackBufferImage& image) {
  return image.pixels.size() - std::count(image.pixels.begin(), image.pixels.end(), 0xFF000000) -
         std::count(image.pixels.begin(), image.pixels.end(), 0x00000000);
}

class SimdLevelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (d3d8sw::SimdLevelWidest() == SimdLevel::Baseline) {
      GTEST_SKIP() << "this processor runs only the baseline level: nothing to compare it with";
    }
  }
  void TearDown() override { d3d8sw::SimdLevelUse(d3d8sw::SimdLevelWidest()); }

  // Draws with `draw` at every level this processor runs and compares each with the baseline.
  void LevelsCompare(const std::function<std::vector<BackBufferImage>()>& draw) {
    ASSERT_TRUE(d3d8sw::SimdLevelUse(SimdLevel::Baseline));
    const std::vector<BackBufferImage> baseline = draw();
    ASSERT_FALSE(baseline.empty());
    for (size_t i = 0; i < baseline.size(); ++i) {
      EXPECT_GT(PixelsDrawn(baseline[i]), 1000u) << "image " << i;
    }
    for (SimdLevel level : {SimdLevel::Avx2, SimdLevel::Avx512}) {
      if (!d3d8sw::SimdLevelUse(level)) continue;
      const std::vector<BackBufferImage> images = draw();
      ASSERT_EQ(images.size(), baseline.size());
      for (size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(PixelsDiffering(images[i], baseline[i]), 0u)
            << "level " << static_cast<int>(level) << ", image " << i;
      }
    }
  }
};

TEST_F(SimdLevelsTest, EveryVariationOfTheStagesDrawsTheSamePixelsAtEveryLevel) {
  LevelsCompare(VariationsDraw);
}

TEST_F(SimdLevelsTest, TheProgramsFramesAreTheSameAtEveryLevel) {
  LevelsCompare(ProgramFramesDraw);
}

}  // namespace
