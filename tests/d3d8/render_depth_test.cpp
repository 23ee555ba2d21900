// The depth test in each depth buffer format, and clears interleaved with drawing: the device
// defers clears, which must never show.
#include <gtest/gtest.h>

#include <vector>

#include "support/render_draw.h"

namespace {

constexpr UINT Size = 40;
constexpr D3DCOLOR Red = 0x00FF0000, Green = 0x0000FF00, Blue = 0x000000FF;

std::vector<TransformedVertex> Quad(float x0, float y0, float x1, float y1, float z,
                                    D3DCOLOR colour) {
  return {{x0, y0, z, 1.0f, colour, 0, 0},
          {x1, y0, z, 1.0f, colour, 0, 0},
          {x0, y1, z, 1.0f, colour, 0, 0},
          {x1, y1, z, 1.0f, colour, 0, 0}};
}

class DepthTest : public ::testing::TestWithParam<D3DFORMAT> {
 protected:
  void SetUp() override {
    if (!accepted) GTEST_SKIP() << "the adapter offers no depth buffer in format " << GetParam();
    ASSERT_NE(render.device, nullptr);
    PlainShapeStates(render);
  }

  // Clears, draws `first` then `second` over the whole target, and gives the centre's colour.
  D3DCOLOR Overlap(const std::vector<TransformedVertex>& first,
                   const std::vector<TransformedVertex>& second) {
    BackBufferClear(render, 0, true);
    TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, first);
    TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, second);
    const BackBufferImage image = render.BackBufferRead();
    return image.width == Size ? image.At(Size / 2, Size / 2) & 0xFFFFFF : 0xDEAD;
  }

  const bool accepted = DepthFormatAccepted(GetParam());
  RenderDevice render{Size, Size, accepted ? GetParam() : D3DFMT_UNKNOWN};
  const std::vector<TransformedVertex> farQuad = Quad(0, 0, Size, Size, 0.8f, Red);
  const std::vector<TransformedVertex> nearQuad = Quad(0, 0, Size, Size, 0.3f, Green);
};

TEST_P(DepthTest, TheNearerSurfaceWinsInEitherOrder) {
  EXPECT_EQ(Overlap(farQuad, nearQuad), Green);
  EXPECT_EQ(Overlap(nearQuad, farQuad), Green);
}

TEST_P(DepthTest, TheComparisonAndTheWriteFollowTheirStates) {
  render->SetRenderState(D3DRS_ZFUNC, D3DCMP_GREATER);
  render->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.0f, 0);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, nearQuad);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, farQuad);
  EXPECT_EQ(render.BackBufferRead().At(1, 1) & 0xFFFFFF, Red);

  render->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
  render->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  EXPECT_EQ(Overlap(nearQuad, farQuad), Red) << "the near surface left no depth behind";
  render->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);

  render->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  EXPECT_EQ(Overlap(nearQuad, farQuad), Red) << "no depth test: the last drawn stays";
}

// A surface drawn again at the same depth passes an equality test against the depth it left:
// both are the buffer's own rounding of the same value. (A clear to that value need not round
// alike: Wine's does not.)
TEST_P(DepthTest, EqualDepthsCompareEqualInTheBuffersOwnFormat) {
  BackBufferClear(render, 0, true);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, nearQuad);
  render->SetRenderState(D3DRS_ZFUNC, D3DCMP_EQUAL);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, Quad(0, 0, Size, Size, 0.3f, Blue));
  EXPECT_EQ(render.BackBufferRead().At(Size / 2, Size / 2) & 0xFFFFFF, Blue);
}

// The default comparison is LESSEQUAL: a surface drawn again at its own depth comes through,
// where LESS keeps the first.
TEST_P(DepthTest, ASurfaceAtTheSameDepthPassesTheDefaultComparisonButNotLess) {
  const std::vector<TransformedVertex> again = Quad(0, 0, Size, Size, 0.3f, Blue);
  EXPECT_EQ(Overlap(nearQuad, again), Blue);
  render->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS);
  EXPECT_EQ(Overlap(nearQuad, again), Green);
}

// The depth a surface leaves covers its pixels and no others: a farther surface drawn over the
// whole target afterwards shows right up to its edges, in every row and column around it.
TEST_P(DepthTest, ASurfaceLeavesItsDepthOnItsOwnPixelsOnly) {
  constexpr UINT First = 5, End = 23;  // edges inside the device's groups of pixels
  BackBufferClear(render, 0, true);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, Quad(First, First, End, End, 0.3f, Green));
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, farQuad);
  const BackBufferImage image = render.BackBufferRead();
  ASSERT_EQ(image.width, Size);
  for (UINT y = 0; y < Size; ++y) {
    for (UINT x = 0; x < Size; ++x) {
      const bool inside = x >= First && x < End && y >= First && y < End;
      ASSERT_EQ(image.At(x, y) & 0xFFFFFF, inside ? Green : Red) << "pixel " << x << ", " << y;
    }
  }
}

TEST_P(DepthTest, ADepthClearHidesWhatLiesBehindIt) {
  render->Clear(0, nullptr, D3DCLEAR_ZBUFFER | D3DCLEAR_TARGET, Blue, 0.5f, 0);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, farQuad);
  EXPECT_EQ(render.BackBufferRead().At(Size / 2, Size / 2) & 0xFFFFFF, Blue);
  render->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, farQuad);
  EXPECT_EQ(render.BackBufferRead().At(Size / 2, Size / 2) & 0xFFFFFF, Red);
}

INSTANTIATE_TEST_SUITE_P(Formats, DepthTest,
                         ::testing::Values(D3DFMT_D16, D3DFMT_D24X8, D3DFMT_D32));

class ClearAndDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(render.device, nullptr);
    PlainShapeStates(render);
  }

  RenderDevice render{Size, Size};
};

TEST_F(ClearAndDrawTest, EachFrameShowsOnlyItsOwnDrawingOverItsClear) {
  // Small squares in different places frame after frame over the same clear colour: nothing of
  // an earlier frame may survive its clear.
  for (int frame = 0; frame < 4; ++frame) {
    BackBufferClear(render, Red);
    const float x = 4.0f + 9.0f * frame;
    TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, Quad(x, 4, x + 4, 8, 0.5f, Green));
    render->Present(nullptr, nullptr, nullptr, nullptr);
    const BackBufferImage image = render.BackBufferRead();
    ASSERT_EQ(image.width, Size);
    for (UINT py = 0; py < Size; ++py) {
      for (UINT px = 0; px < Size; ++px) {
        const bool inside = px >= x && px < x + 4 && py >= 4 && py < 8;
        ASSERT_EQ(image.At(px, py) & 0xFFFFFF, inside ? Green : Red)
            << "frame " << frame << " pixel " << px << ", " << py;
      }
    }
  }
}

TEST_F(ClearAndDrawTest, ALaterClearOfAnotherColourOrOfARectangleWins) {
  BackBufferClear(render, Red);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, Quad(0, 0, 10, 10, 0.5f, Green));
  BackBufferClear(render, Blue);
  const D3DRECT rect = {20, 20, 30, 30};
  render->Clear(1, &rect, D3DCLEAR_TARGET, Red, 1.0f, 0);
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, Quad(25, 0, 35, 10, 0.5f, Green));
  const BackBufferImage image = render.BackBufferRead();
  ASSERT_EQ(image.width, Size);
  EXPECT_EQ(image.At(5, 5) & 0xFFFFFF, Blue);
  EXPECT_EQ(image.At(22, 22) & 0xFFFFFF, Red);
  EXPECT_EQ(image.At(31, 22) & 0xFFFFFF, Blue);
  EXPECT_EQ(image.At(30, 5) & 0xFFFFFF, Green);
  EXPECT_EQ(image.At(39, 39) & 0xFFFFFF, Blue);
}

}  // namespace
