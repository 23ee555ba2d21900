// Texture sampling and the texture stages: texel centres at half-integer texel coordinates,
// the bilinear average halfway between texels, wrapping at the edges, and saturation.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "support/render_draw.h"

namespace {

constexpr UINT Size = 8;

// What a corner of the whole-target quad carries.
struct Corner {
  float u, v;
  float rhw = 1.0f;
};

// The whole `side` by `side` back buffer, cleared to black, as one quad with these corners: top
// left, top right, bottom left, bottom right.
BackBufferImage CornersQuadDraw(const RenderDevice& render, UINT side, const Corner (&corners)[4],
                                D3DCOLOR diffuse = 0xFFFFFFFF) {
  const float e = -0.5f, f = side - 0.5f;
  const float x[4] = {e, f, e, f}, y[4] = {e, e, f, f};
  std::vector<TransformedVertex> vertices;
  for (int i = 0; i < 4; ++i) {
    vertices.push_back({x[i], y[i], 0.5f, corners[i].rhw, diffuse, corners[i].u, corners[i].v});
  }
  BackBufferClear(render, 0);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, vertices);
  return render.BackBufferRead();
}

// The whole back buffer as one quad: pixel centre x has u = u0 + (u1 - u0) (x + 0.5) / side, so
// u0 = 0, u1 = 1 puts each pixel centre on its own texel centre of a texture `side` wide.
BackBufferImage WholeQuadDraw(const RenderDevice& render, UINT side, float u0, float u1, float v0,
                              float v1, D3DCOLOR diffuse = 0xFFFFFFFF) {
  return CornersQuadDraw(render, side, {{u0, v0}, {u1, v0}, {u0, v1}, {u1, v1}}, diffuse);
}

// A texture of `width` by `height` texels, row by row; null, with the failure recorded, when it
// cannot be made.
IDirect3DTexture8* TextureMade(const RenderDevice& render, UINT width, UINT height,
                               const std::vector<D3DCOLOR>& texels) {
  IDirect3DTexture8* texture = nullptr;
  D3DLOCKED_RECT locked = {};
  if (render->CreateTexture(width, height, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture) !=
          D3D_OK ||
      texture->LockRect(0, &locked, nullptr, 0) != D3D_OK) {
    ADD_FAILURE() << "no " << width << " x " << height << " texture to write";
    if (texture) texture->Release();
    return nullptr;
  }
  for (UINT y = 0; y < height; ++y) {
    std::memcpy(static_cast<BYTE*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch,
                &texels[y * width], width * sizeof(D3DCOLOR));
  }
  texture->UnlockRect(0);
  return texture;
}

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(render.device, nullptr);
    render->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    render->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  }

  void TearDown() override {
    render->SetTexture(0, nullptr);
    if (texture) texture->Release();
  }

  // A texture of `width` by `height` texels, row by row, bound to stage 0.
  void TextureUse(UINT width, UINT height, const std::vector<D3DCOLOR>& texels) {
    texture = TextureMade(render, width, height, texels);
    ASSERT_NE(texture, nullptr);
    render->SetTexture(0, texture);
  }

  void FilterUse(DWORD filter) {
    render->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
    render->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
  }

  void AddressingUse(DWORD mode) {
    render->SetTextureStageState(0, D3DTSS_ADDRESSU, mode);
    render->SetTextureStageState(0, D3DTSS_ADDRESSV, mode);
  }

  BackBufferImage QuadDraw(float u0, float u1, float v0, float v1, D3DCOLOR diffuse = 0xFFFFFFFF) {
    return WholeQuadDraw(render, Size, u0, u1, v0, v1, diffuse);
  }

  RenderDevice render{Size, Size};
  IDirect3DTexture8* texture = nullptr;
};

std::vector<D3DCOLOR> Distinct(UINT count) {
  std::vector<D3DCOLOR> texels;
  for (UINT i = 0; i < count; ++i) texels.push_back(D3DCOLOR_XRGB(i * 16, 255 - i * 8, i * 3));
  return texels;
}

TEST_F(TextureTest, EachTexelCentreSamplesExactlyThatTexelWithEitherFilter) {
  const std::vector<D3DCOLOR> texels = Distinct(Size * Size);
  TextureUse(Size, Size, texels);
  for (DWORD filter : {D3DTEXF_POINT, D3DTEXF_LINEAR}) {
    FilterUse(filter);
    const BackBufferImage image = QuadDraw(0, 1, 0, 1);
    ASSERT_EQ(image.width, Size);
    for (UINT y = 0; y < Size; ++y) {
      for (UINT x = 0; x < Size; ++x) {
        EXPECT_TRUE(ColourNear(image.At(x, y), texels[y * Size + x], 0))
            << "pixel " << x << ", " << y << " filter " << filter;
      }
    }
  }
}

// Vertices with two sets of texture coordinates: the first pins every pixel to the texture's
// corner, the second spreads the texture over the back buffer, texel centre on pixel centre.
BackBufferImage TwoSetQuadDraw(const RenderDevice& render) {
  struct TwoSetVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u0, v0, u1, v1;
  };
  const float e = -0.5f, f = Size - 0.5f;
  const TwoSetVertex quad[] = {{e, e, 0.5f, 1.0f, 0xFFFFFFFF, 0, 0, 0, 0},
                               {f, e, 0.5f, 1.0f, 0xFFFFFFFF, 0, 0, 1, 0},
                               {e, f, 0.5f, 1.0f, 0xFFFFFFFF, 0, 0, 0, 1},
                               {f, f, 0.5f, 1.0f, 0xFFFFFFFF, 0, 0, 1, 1}};
  BackBufferClear(render, 0);
  EXPECT_TRUE(VerticesDraw(render, D3DPT_TRIANGLESTRIP, 2, quad, 4, sizeof quad[0],
                           D3DFVF_XYZRHW | D3DFVF_DIFFUSE | 2 << D3DFVF_TEXCOUNT_SHIFT));
  return render.BackBufferRead();
}

// A stage samples the set its D3DTSS_TEXCOORDINDEX names, on the first stage or on a later one
// after a first that samples nothing.
TEST_F(TextureTest, AStageSamplesTheCoordinateSetItsIndexNames) {
  const std::vector<D3DCOLOR> texels = Distinct(Size * Size);
  TextureUse(Size, Size, texels);
  render->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 1);
  for (const DWORD stage : {0, 1}) {
    if (stage == 1) {
      render->SetTexture(0, nullptr);
      render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
      render->SetTexture(1, texture);
      render->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
      render->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
      render->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
    }
    const BackBufferImage image = TwoSetQuadDraw(render);
    ASSERT_EQ(image.width, Size);
    for (UINT y = 0; y < Size; ++y) {
      for (UINT x = 0; x < Size; ++x) {
        EXPECT_TRUE(ColourNear(image.At(x, y), texels[y * Size + x], 0))
            << "pixel " << x << ", " << y << " on stage " << stage;
      }
    }
  }
  render->SetTexture(1, nullptr);
}

TEST_F(TextureTest, HalfwayBetweenTwoTexelsBilinearGivesTheirAverage) {
  const D3DCOLOR left = D3DCOLOR_XRGB(200, 0, 100), right = D3DCOLOR_XRGB(0, 100, 250);
  FilterUse(D3DTEXF_LINEAR);
  // u = 0.5 on a 2-texel row is texel coordinate 1.0: half of texel 0 (centre 0.5), half of
  // texel 1 (centre 1.5). The second row is the same, so v does not matter.
  TextureUse(2, 2, {left, right, left, right});
  EXPECT_TRUE(
      ColourNear(QuadDraw(0.5f, 0.5f, 0.3f, 0.3f).At(3, 3), D3DCOLOR_XRGB(100, 50, 175), 1));
  // A quarter of the way, 3:1.
  EXPECT_TRUE(
      ColourNear(QuadDraw(0.375f, 0.375f, 0.3f, 0.3f).At(3, 3), D3DCOLOR_XRGB(150, 25, 138), 1));
}

TEST_F(TextureTest, WrapBlendsTheLastTexelWithTheFirstAndClampDoesNot) {
  const D3DCOLOR first = D3DCOLOR_XRGB(255, 0, 0), middle = D3DCOLOR_XRGB(0, 255, 0),
                 last = D3DCOLOR_XRGB(0, 0, 255);
  FilterUse(D3DTEXF_LINEAR);
  // Four texels (a power of two) and three, which the device samples another way.
  for (const std::vector<D3DCOLOR>& row : {std::vector<D3DCOLOR>{first, middle, middle, last},
                                           std::vector<D3DCOLOR>{first, middle, last}}) {
    const UINT width = static_cast<UINT>(row.size());
    std::vector<D3DCOLOR> texels = row;
    texels.insert(texels.end(), row.begin(), row.end());
    if (texture) texture->Release();
    texture = nullptr;
    TextureUse(width, 2, texels);
    // u = 1 is the right edge of the last texel: half of it, half of what lies beyond.
    AddressingUse(D3DTADDRESS_WRAP);
    EXPECT_TRUE(ColourNear(QuadDraw(1, 1, 0.25f, 0.25f).At(2, 2), D3DCOLOR_XRGB(128, 0, 128), 1))
        << width << " texels, wrap at u = 1";
    EXPECT_TRUE(ColourNear(QuadDraw(0, 0, 0.25f, 0.25f).At(2, 2), D3DCOLOR_XRGB(128, 0, 128), 1))
        << width << " texels, wrap at u = 0";
    AddressingUse(D3DTADDRESS_CLAMP);
    EXPECT_TRUE(ColourNear(QuadDraw(1, 1, 0.25f, 0.25f).At(2, 2), last, 1)) << width << " clamp";
    EXPECT_TRUE(ColourNear(QuadDraw(0, 0, 0.25f, 0.25f).At(2, 2), first, 1)) << width << " clamp";
    // Point sampling at u = 1 with wrap is the first texel again.
    FilterUse(D3DTEXF_POINT);
    AddressingUse(D3DTADDRESS_WRAP);
    EXPECT_TRUE(ColourNear(QuadDraw(1, 1, 0.25f, 0.25f).At(2, 2), first, 0)) << width;
    FilterUse(D3DTEXF_LINEAR);
  }
}

// A texture written again wraps onto what was written last.
TEST_F(TextureTest, WrapFollowsTheFirstTexelsWrittenAgain) {
  const D3DCOLOR black = D3DCOLOR_XRGB(0, 0, 0), red = D3DCOLOR_XRGB(255, 0, 0);
  FilterUse(D3DTEXF_LINEAR);
  AddressingUse(D3DTADDRESS_WRAP);
  TextureUse(4, 1, {black, black, black, black});
  D3DLOCKED_RECT locked = {};
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  *static_cast<DWORD*>(locked.pBits) = red;
  ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
  // u = 1: half the last texel, half the first.
  EXPECT_TRUE(ColourNear(QuadDraw(1, 1, 0.5f, 0.5f).At(2, 2), D3DCOLOR_XRGB(128, 0, 0), 1));
}

TEST_F(TextureTest, AwayFromTheEdgesEveryAddressingModeSamplesAlike) {
  std::vector<D3DCOLOR> texels;
  for (UINT i = 0; i < 16 * 16; ++i) texels.push_back(i * 2654435761u & 0xFFFFFF);
  TextureUse(16, 16, texels);
  FilterUse(D3DTEXF_LINEAR);
  // A slanted, magnified view of the texture's middle, where no mode has anything to do.
  auto draw = [&](DWORD mode) {
    AddressingUse(mode);
    BackBufferClear(render, 0);
    TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP,
                            {{-0.5f, -0.5f, 0.5f, 1.0f, 0xFFFFFFFF, 0.2f, 0.3f},
                             {7.5f, -0.5f, 0.5f, 1.0f, 0xFFFFFFFF, 0.7f, 0.25f},
                             {-0.5f, 7.5f, 0.5f, 1.0f, 0xFFFFFFFF, 0.25f, 0.8f},
                             {7.5f, 7.5f, 0.5f, 1.0f, 0xFFFFFFFF, 0.75f, 0.75f}});
    return render.BackBufferRead().pixels;
  };
  const std::vector<D3DCOLOR> wrapped = draw(D3DTADDRESS_WRAP);
  ASSERT_EQ(wrapped.size(), Size * Size);
  // Filtering may round differently in the last bit, with a mode's texel addresses worked
  // out another way (Wine's are).
  for (DWORD mode : {D3DTADDRESS_CLAMP, D3DTADDRESS_MIRROR}) {
    const std::vector<D3DCOLOR> other = draw(mode);
    ASSERT_EQ(other.size(), wrapped.size());
    for (size_t i = 0; i < other.size(); ++i) {
      EXPECT_TRUE(ColourNear(other[i], wrapped[i], 1)) << "mode " << mode << ", pixel " << i;
    }
  }
}

// Coordinates millions of repeats past the texture, too far apart for the device's fixed-point
// texel coordinates: clamp still holds the edge texel and border its colour, on every pixel.
// u runs from 0 at the top to 6.4 million at the bottom, so each triangle's first pixels lie
// nearer than its last.
TEST_F(TextureTest, ClampAndBorderHoldHoweverFarTheCoordinatesGo) {
  const D3DCOLOR first = D3DCOLOR_XRGB(255, 0, 0), last = D3DCOLOR_XRGB(0, 0, 255),
                 border = D3DCOLOR_XRGB(0, 255, 0);
  TextureUse(2, 2, {first, last, first, last});
  render->SetTextureStageState(0, D3DTSS_BORDERCOLOR, border);
  const float e = -0.5f, f = Size - 0.5f, distant = 6.4e6f;
  for (DWORD filter : {D3DTEXF_POINT, D3DTEXF_LINEAR}) {
    FilterUse(filter);
    for (const auto& [mode, expected] :
         {std::pair{D3DTADDRESS_CLAMP, last}, std::pair{D3DTADDRESS_BORDER, border}}) {
      AddressingUse(mode);
      BackBufferClear(render, 0);
      TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP,
                              {{e, e, 0.5f, 1.0f, 0xFFFFFFFF, 0, 0.5f},
                               {f, e, 0.5f, 1.0f, 0xFFFFFFFF, 0, 0.5f},
                               {e, f, 0.5f, 1.0f, 0xFFFFFFFF, distant, 0.5f},
                               {f, f, 0.5f, 1.0f, 0xFFFFFFFF, distant, 0.5f}});
      const BackBufferImage image = render.BackBufferRead();
      ASSERT_EQ(image.width, Size);
      for (UINT y = 0; y < Size; ++y) {
        for (UINT x = 0; x < Size; ++x) {
          EXPECT_TRUE(ColourNear(image.At(x, y), expected, 1))
              << "pixel " << x << ", " << y << " mode " << mode << " filter " << filter;
        }
      }
    }
  }
}

// Border on a texture of one texel: coordinates from -1 to 2 both ways show the texel on the
// pixels whose coordinates lie within it, and the border colour on every other, before the
// texture as after it.
TEST_F(TextureTest, BorderAroundASingleTexelOnEverySide) {
  const D3DCOLOR texel = D3DCOLOR_XRGB(255, 0, 0), border = D3DCOLOR_XRGB(0, 255, 0);
  TextureUse(1, 1, {texel});
  render->SetTextureStageState(0, D3DTSS_BORDERCOLOR, border);
  AddressingUse(D3DTADDRESS_BORDER);
  // Pixel centre 3 has the coordinate -1 + 3 * 3.5 / 8 = 0.31, 4 has 0.69; 2 and 5 lie outside.
  const BackBufferImage image = QuadDraw(-1, 2, -1, 2);
  ASSERT_EQ(image.width, Size);
  for (UINT y = 0; y < Size; ++y) {
    for (UINT x = 0; x < Size; ++x) {
      const bool within = (x == 3 || x == 4) && (y == 3 || y == 4);
      EXPECT_TRUE(ColourNear(image.At(x, y), within ? texel : border, 0))
          << "pixel " << x << ", " << y;
    }
  }
}

TEST_F(TextureTest, ArgumentsCanTakeTheAlphaOrTheComplementOfAColour) {
  const D3DCOLOR diffuse = D3DCOLOR_ARGB(0x40, 0xFF, 0x80, 0x00);
  render->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE | D3DTA_ALPHAREPLICATE);
  EXPECT_TRUE(
      ColourNear(QuadDraw(0, 1, 0, 1, diffuse).At(4, 4), D3DCOLOR_XRGB(0x40, 0x40, 0x40), 1));
  // On the first stage the current colour is the diffuse one, alpha too.
  render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_CURRENT | D3DTA_ALPHAREPLICATE);
  EXPECT_TRUE(
      ColourNear(QuadDraw(0, 1, 0, 1, diffuse).At(4, 4), D3DCOLOR_XRGB(0x40, 0x40, 0x40), 1));
  render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_CURRENT | D3DTA_COMPLEMENT);
  EXPECT_TRUE(
      ColourNear(QuadDraw(0, 1, 0, 1, diffuse).At(4, 4), D3DCOLOR_XRGB(0x00, 0x7F, 0xFF), 1));
  // The first stage's alpha, taken from the diffuse colour, read by the second as colour.
  render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
  render->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
  render->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT | D3DTA_ALPHAREPLICATE);
  render->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
  EXPECT_TRUE(
      ColourNear(QuadDraw(0, 1, 0, 1, diffuse).At(4, 4), D3DCOLOR_XRGB(0x40, 0x40, 0x40), 1));
  render->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  render->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

TEST_F(TextureTest, MagnifiedAndMinifiedSurfacesUseTheirOwnFilters) {
  render->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
  render->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  const D3DCOLOR left = 0x00C80000, right = 0x000000C8;
  std::vector<D3DCOLOR> texels;
  // Texels alternate: even ones left, odd ones right.
  for (UINT i = 0; i < 32 * 2; ++i) texels.push_back(i % 2 == 0 ? left : right);
  TextureUse(32, 2, texels);
  // Two texels (15 and 16) across the whole target: magnified, so the pixels either side of
  // the seam blend them, 5:3 and 3:5.
  const BackBufferImage magnified = QuadDraw(0.46875f, 0.53125f, 0.25f, 0.25f);
  ASSERT_EQ(magnified.width, Size);
  EXPECT_TRUE(ColourNear(magnified.At(3, 0), D3DCOLOR_XRGB(75, 0, 125), 1));
  EXPECT_TRUE(ColourNear(magnified.At(4, 0), D3DCOLOR_XRGB(125, 0, 75), 1));
  // Thirty-two texels across eight pixels: minified, so pixel x takes texel 4x + 2 alone, where
  // a bilinear filter would have blended it half and half with texel 4x + 1.
  const BackBufferImage minified = QuadDraw(0, 1, 0.25f, 0.25f);
  ASSERT_EQ(minified.width, Size);
  for (UINT x = 0; x < Size; ++x) {
    EXPECT_EQ(minified.At(x, 0) & 0xFFFFFF, left) << "pixel " << x;
  }

  // Thirty-two rows of texels across the eight pixels, along v.
  render->SetTexture(0, nullptr);
  texture->Release();
  std::vector<D3DCOLOR> rows;
  for (UINT i = 0; i < 2 * 32; ++i) rows.push_back(i / 2 % 2 == 0 ? left : right);
  TextureUse(2, 32, rows);
  const BackBufferImage turned =
      CornersQuadDraw(render, Size, {{0.25f, 0}, {0.25f, 1}, {0.25f, 0}, {0.25f, 1}});
  ASSERT_EQ(turned.width, Size);
  for (UINT x = 0; x < Size; ++x) {
    EXPECT_EQ(turned.At(x, 0) & 0xFFFFFF, left) << "pixel " << x << ", turned";
  }
  // And down the target.
  const BackBufferImage down = QuadDraw(0.25f, 0.25f, 0, 1);
  ASSERT_EQ(down.width, Size);
  for (UINT y = 0; y < Size; ++y) {
    EXPECT_EQ(down.At(0, y) & 0xFFFFFF, left) << "pixel row " << y << ", down";
  }
}

// A surface twice as far away on its right, with two columns of texels across it: magnified
// everywhere, though v, the same everywhere, has 32 rows to pick from. The filter follows how
// fast the coordinates change across the pixels, perspective and all: pixel 5 lies about
// halfway between the columns, and blends them.
TEST_F(TextureTest, InPerspectiveAMagnifiedSurfaceTakesTheMagnificationFilter) {
  render->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
  render->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  const D3DCOLOR left = 0x00C80000, right = 0x000000C8;
  std::vector<D3DCOLOR> texels;
  for (UINT i = 0; i < 2 * 32; ++i) texels.push_back(i % 2 == 0 ? left : right);
  TextureUse(2, 32, texels);
  const BackBufferImage image =
      CornersQuadDraw(render, Size, {{0, 0.5f}, {1, 0.5f, 0.5f}, {0, 0.5f}, {1, 0.5f, 0.5f}});
  ASSERT_EQ(image.width, Size);
  for (const UINT y : {0u, Size - 1}) {
    const D3DCOLOR pixel = image.At(5, y);
    EXPECT_GT((pixel >> 16) & 0xFF, 40u) << "row " << y << ": " << std::hex << pixel;
    EXPECT_GT(pixel & 0xFF, 40u) << "row " << y << ": " << std::hex << pixel;
  }
}

// Wrapping across u while v is clamped: pixel x lies at u = x / 8, halfway between texels x - 1
// and x, the first pixel's between the last texel and the first.
TEST_F(TextureTest, WrapAcrossOneWayBlendsTheLastTexelWithTheFirstWhileTheOtherClamps) {
  const std::vector<D3DCOLOR> row = Distinct(Size);
  std::vector<D3DCOLOR> texels = row;
  texels.insert(texels.end(), row.begin(), row.end());
  TextureUse(Size, 2, texels);
  FilterUse(D3DTEXF_LINEAR);
  render->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
  render->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
  const float half = 0.5f / Size;
  const BackBufferImage image = QuadDraw(-half, 1 - half, 0.25f, 0.25f);
  ASSERT_EQ(image.width, Size);
  auto average = [](D3DCOLOR a, D3DCOLOR b) {
    auto channel = [&](int shift) {
      return (((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + 1) / 2;
    };
    return D3DCOLOR_XRGB(channel(16), channel(8), channel(0));
  };
  for (UINT y = 0; y < Size; ++y) {
    for (UINT x = 0; x < Size; ++x) {
      EXPECT_TRUE(ColourNear(image.At(x, y), average(row[(x + Size - 1) % Size], row[x]), 1))
          << "pixel " << x << ", " << y;
    }
  }
}

TEST_F(TextureTest, MirrorReflectsTheTextureInEveryOtherRepeat) {
  const std::vector<D3DCOLOR> row = Distinct(Size);
  std::vector<D3DCOLOR> texels = row;
  texels.insert(texels.end(), row.begin(), row.end());
  TextureUse(Size, 2, texels);
  FilterUse(D3DTEXF_POINT);
  AddressingUse(D3DTADDRESS_MIRROR);
  // u from 1 to 2 runs through the texture backwards.
  const BackBufferImage image = QuadDraw(1, 2, 0.25f, 0.25f);
  ASSERT_EQ(image.width, Size);
  for (UINT x = 0; x < Size; ++x) {
    EXPECT_TRUE(ColourNear(image.At(x, 0), row[Size - 1 - x], 0)) << "pixel " << x;
  }
}

TEST_F(TextureTest, Modulate4XMultipliesByFourAndSaturates) {
  TextureUse(2, 2, std::vector<D3DCOLOR>(4, D3DCOLOR_XRGB(0xC0, 0x40, 0x00)));
  render->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE4X);
  render->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  // Red: 0.75 x 0.5 x 4 = 1.5, saturated to 1; green: 0.25 x 0.125 x 4 = 0.125; blue: 0.
  const BackBufferImage image = QuadDraw(0, 1, 0, 1, D3DCOLOR_XRGB(0x80, 0x20, 0xFF));
  ASSERT_EQ(image.width, Size);
  EXPECT_TRUE(ColourNear(image.At(4, 4), D3DCOLOR_XRGB(0xFF, 0x20, 0x00), 1));
}

TEST_F(TextureTest, StagesCombineTheirArgumentsAndDisableEndsTheCascade) {
  TextureUse(2, 2, std::vector<D3DCOLOR>(4, D3DCOLOR_XRGB(0x80, 0x40, 0x20)));
  const D3DCOLOR diffuse = D3DCOLOR_XRGB(0x40, 0xFF, 0x10);
  const struct {
    DWORD op;
    D3DCOLOR expected;
  } cases[] = {
      {D3DTOP_SELECTARG1, D3DCOLOR_XRGB(0x80, 0x40, 0x20)},
      {D3DTOP_SELECTARG2, diffuse},
      {D3DTOP_MODULATE, D3DCOLOR_XRGB(0x20, 0x40, 0x02)},
      {D3DTOP_MODULATE2X, D3DCOLOR_XRGB(0x40, 0x80, 0x04)},
      {D3DTOP_ADD, D3DCOLOR_XRGB(0xC0, 0xFF, 0x30)},
      // Stage 0 disabled: the diffuse colour as it is.
      {D3DTOP_DISABLE, diffuse},
  };
  render->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_CURRENT);  // the diffuse on stage 0
  for (const auto& c : cases) {
    render->SetTextureStageState(0, D3DTSS_COLOROP, c.op);
    EXPECT_TRUE(ColourNear(QuadDraw(0, 1, 0, 1, diffuse).At(4, 4), c.expected, 1)) << "op " << c.op;
  }
  // A second stage adding the texture again to the first stage's result.
  render->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
  render->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
  render->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  render->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
  EXPECT_TRUE(
      ColourNear(QuadDraw(0, 1, 0, 1, diffuse).At(4, 4), D3DCOLOR_XRGB(0xC0, 0xFF, 0x30), 1));
  render->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  render->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

// The texture factor, for colour and for alpha, is what every pixel of each draw shows, and each
// draw takes the factor set for it. The target is big enough for triangles of more pixels than
// the device shades at once.
TEST(TextureFactorTest, EveryPixelOfEachDrawShowsTheFactorSetForIt) {
  constexpr UINT Side = 48;
  RenderDevice render(Side, Side);
  ASSERT_NE(render.device, nullptr);
  render->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  render->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TFACTOR);
  render->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  render->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
  for (D3DCOLOR factor :
       {D3DCOLOR_ARGB(0x80, 0xFF, 0x00, 0xFF), D3DCOLOR_ARGB(0x40, 0x00, 0xFF, 0x00)}) {
    render->SetRenderState(D3DRS_TEXTUREFACTOR, factor);
    const BackBufferImage image = WholeQuadDraw(render, Side, 0, 0, 0, 0);
    ASSERT_EQ(image.width, Side);
    for (UINT y = 0; y < Side; ++y) {
      for (UINT x = 0; x < Side; ++x) {
        ASSERT_TRUE(ColourNear(image.At(x, y), factor, 0))
            << "pixel " << x << ", " << y << " factor " << std::hex << factor;
      }
    }
  }
}

// Where a triangle is cut at the near plane, the new corners take the texture coordinates of
// the points they land on. A floor from 5 in front of the camera to 5 behind it, u across it
// and v along it: what shows (from 5 to 1 in front) keeps u's halves left and right of the
// centre and v's first two quarters in their two bands.
TEST_F(TextureTest, ATriangleCutAtTheNearPlaneKeepsItsTextureCoordinates) {
  struct FloorVertex {
    float x, y, z, u, v;
  };
  constexpr D3DCOLOR FarLeft = 0x00FF0000, FarRight = 0x0000FF00, NearLeft = 0x000000FF,
                     NearRight = 0x00FFFF00, Beyond = 0x00FFFFFF;
  TextureUse(
      2, 5,
      {FarLeft, FarRight, NearLeft, NearRight, Beyond, Beyond, Beyond, Beyond, Beyond, Beyond});
  FilterUse(D3DTEXF_POINT);
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  RightHandedProjectionSet(render);  // (x, y, z) lands at (x / -z, y / -z)
  const FloorVertex floor[4] = {{-2.0f, -1.0f, -5.0f, 0, 0},
                                {2.0f, -1.0f, -5.0f, 1, 0},
                                {-2.0f, -1.0f, 5.0f, 0, 1},
                                {2.0f, -1.0f, 5.0f, 1, 1}};
  BackBufferClear(render, 0);
  VerticesDraw(render, D3DPT_TRIANGLESTRIP, 2, floor, 4, sizeof(FloorVertex),
               D3DFVF_XYZ | D3DFVF_TEX1);
  const BackBufferImage image = render.BackBufferRead();
  ASSERT_EQ(image.width, Size);
  // Row 5 sees the floor at 4 in front (v = 0.1), row 7 at 4 / 3 (v = 0.37); columns 3 and 5
  // see u = 0.25 and 0.75 at the first, 0.42 and 0.58 at the second.
  EXPECT_EQ(image.At(3, 5) & 0xFFFFFF, FarLeft);
  EXPECT_EQ(image.At(5, 5) & 0xFFFFFF, FarRight);
  EXPECT_EQ(image.At(3, 7) & 0xFFFFFF, NearLeft);
  EXPECT_EQ(image.At(5, 7) & 0xFFFFFF, NearRight);
}

// Pixels the device shades a whole chunk at a time (256 of them), bilinear, on a texture taller
// than it is wide, wrapped across and clamped down: each pixel on its texel's centre shows that
// texel, so no pixel's rows are taken for columns.
TEST(TextureChunkTest, AWholeChunkOfBilinearPixelsOnATallWrappedTexture) {
  constexpr UINT side = 32;
  RenderDevice render{side, side};
  ASSERT_NE(render.device, nullptr);
  std::vector<D3DCOLOR> texels;
  for (UINT y = 0; y < side; ++y) {
    texels.push_back(D3DCOLOR_XRGB(y * 8, 255 - y * 8, 0));
    texels.push_back(D3DCOLOR_XRGB(0, 0, 255));
  }
  IDirect3DTexture8* texture = TextureMade(render, 2, side, texels);
  ASSERT_NE(texture, nullptr);
  render->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  render->SetTexture(0, texture);
  render->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  render->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  render->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  render->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  // u wrapped from one repeat on, to the centre of column 0 everywhere; v clamped, on the centre
  // of row y at pixel row y.
  render->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
  render->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
  const BackBufferImage image = WholeQuadDraw(render, side, 1.25f, 1.25f, 0, 1);
  ASSERT_EQ(image.width, side);
  for (UINT y = 0; y < side; ++y) {
    for (UINT x = 0; x < side; ++x) {
      EXPECT_TRUE(ColourNear(image.At(x, y), texels[2 * y], 0)) << "pixel " << x << ", " << y;
    }
  }
  render->SetTexture(0, nullptr);
  texture->Release();
}

}  // namespace
