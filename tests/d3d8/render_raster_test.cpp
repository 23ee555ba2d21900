// Which pixels triangles cover: centres at integer coordinates, the top-left rule on shared
// edges, culling by the winding on the screen, and clipping at the near plane.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "support/render_draw.h"

namespace {

constexpr UINT Size = 24;
constexpr D3DCOLOR Black = 0x00000000;
constexpr D3DCOLOR White = 0x00FFFFFF;

struct Point {
  double x, y;
};
using Triangle = std::array<Point, 3>;

std::vector<TransformedVertex> TransformedTriangles(const std::vector<Triangle>& triangles,
                                                    D3DCOLOR colour) {
  std::vector<TransformedVertex> vertices;
  for (const Triangle& t : triangles) {
    for (const Point& p : t) {
      vertices.push_back(
          {static_cast<float>(p.x), static_cast<float>(p.y), 0.5f, 1.0f, colour, 0.0f, 0.0f});
    }
  }
  return vertices;
}

class RasterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(render.device, nullptr);
    PlainShapeStates(render);
  }

  // How many of the triangles cover each pixel, each drawn alone onto black.
  std::vector<int> CoverageCounts(const std::vector<Triangle>& triangles) {
    std::vector<int> counts(Size * Size, 0);
    for (const Triangle& t : triangles) {
      BackBufferClear(render, Black);
      TransformedVerticesDraw(render, D3DPT_TRIANGLELIST, TransformedTriangles({t}, White));
      const BackBufferImage image = render.BackBufferRead();
      if (image.pixels.size() != counts.size()) return counts;
      for (size_t i = 0; i < counts.size(); ++i) counts[i] += (image.pixels[i] & 0xFFFFFF) != 0;
    }
    return counts;
  }

  std::vector<bool> Drawn() {
    const BackBufferImage image = render.BackBufferRead();
    std::vector<bool> drawn(image.pixels.size());
    for (size_t i = 0; i < drawn.size(); ++i) drawn[i] = (image.pixels[i] & 0xFFFFFF) != 0;
    return drawn;
  }

  RenderDevice render{Size, Size};
};

// Sub-pixel positions to shift the shapes by, in sixteenths and halves of a pixel.
const double Offsets[] = {0.0, 1.0 / 16, 0.25, 0.5, 0.75, 15.0 / 16};

TEST_F(RasterTest, TwoTrianglesOfARectangleCoverEachPixelOnceWhateverTheSubPixelOffset) {
  for (double dx : Offsets) {
    for (double dy : Offsets) {
      const double x0 = 3 + dx, y0 = 4 + dy, x1 = 17 + dx, y1 = 15 + dy;
      const std::vector<int> counts =
          CoverageCounts({{{{x0, y0}, {x1, y0}, {x1, y1}}}, {{{x0, y0}, {x1, y1}, {x0, y1}}}});
      // A centre on the top or left edge is inside, one on the bottom or right edge is not.
      for (UINT y = 0; y < Size; ++y) {
        for (UINT x = 0; x < Size; ++x) {
          const int expected = x >= x0 && x < x1 && y >= y0 && y < y1 ? 1 : 0;
          ASSERT_EQ(counts[y * Size + x], expected)
              << "pixel (" << x << ", " << y << ") with offset (" << dx << ", " << dy << ")";
        }
      }
    }
  }
}

TEST_F(RasterTest, TheDiagonalOfAFiveByFiveSquareSplitsItFifteenToTen) {
  const double o = 2;
  const std::vector<int> upper = CoverageCounts({{{{o, o}, {o + 5, o}, {o + 5, o + 5}}}});
  const std::vector<int> lower = CoverageCounts({{{{o, o}, {o + 5, o + 5}, {o, o + 5}}}});
  int upperCount = 0, lowerCount = 0;
  for (UINT y = 0; y < Size; ++y) {
    for (UINT x = 0; x < Size; ++x) {
      upperCount += upper[y * Size + x];
      lowerCount += lower[y * Size + x];
      // Centres on the diagonal belong to the triangle to its upper right, whose left edge it is.
      if (upper[y * Size + x]) {
        EXPECT_LE(y, x) << x << ", " << y;
      }
    }
  }
  EXPECT_EQ(upperCount, 15);
  EXPECT_EQ(lowerCount, 10);
}

// Whether p is inside the convex polygon by at least `margin` pixels.
bool InsideBy(const std::vector<Point>& polygon, Point p, double margin) {
  for (size_t i = 0; i < polygon.size(); ++i) {
    const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    // Clockwise on the screen (y down): the inside is where this is positive.
    const double distance = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
    if (distance < margin) return false;
  }
  return true;
}

TEST_F(RasterTest, AFanAroundAPointCoversEachPixelOnceWhateverTheSubPixelOffset) {
  for (double dx : Offsets) {
    for (double dy : Offsets) {
      // Six triangles around the centre; the spokes at 0 and 180 degrees run along a row of
      // pixel centres when the centre sits on one.
      const Point centre = {11 + dx, 11 + dy};
      std::vector<Point> ring;
      for (int k = 0; k < 6; ++k) {
        const double angle = k * 3.14159265358979323846 / 3;
        ring.push_back({centre.x + 9 * std::cos(angle), centre.y + 9 * std::sin(angle)});
      }
      std::vector<Triangle> fan;
      for (int k = 0; k < 6; ++k) fan.push_back({{centre, ring[k], ring[(k + 1) % 6]}});
      const std::vector<int> counts = CoverageCounts(fan);
      for (UINT y = 0; y < Size; ++y) {
        for (UINT x = 0; x < Size; ++x) {
          const Point p = {static_cast<double>(x), static_cast<double>(y)};
          const int count = counts[y * Size + x];
          ASSERT_LE(count, 1) << "pixel (" << x << ", " << y << ") drawn twice";
          if (InsideBy(ring, p, 0.01)) {
            ASSERT_EQ(count, 1) << "gap at (" << x << ", " << y << ")";
          }
          if (!InsideBy(ring, p, -0.01)) {
            ASSERT_EQ(count, 0) << "(" << x << ", " << y << ")";
          }
        }
      }
    }
  }
}

TEST_F(RasterTest, ListsStripsAndFansMakeTheSameTriangles) {
  // A hexagon as a fan, as a strip and as a list: the same pixels each time.
  const Point c = {11.5, 11.25};
  std::vector<Point> ring;
  for (int k = 0; k < 6; ++k) {
    const double angle = k * 3.14159265358979323846 / 3;
    ring.push_back({c.x + 8 * std::cos(angle), c.y + 8 * std::sin(angle)});
  }
  auto vertices = [](const std::vector<Point>& points) {
    std::vector<TransformedVertex> out;
    for (const Point& p : points) {
      out.push_back({static_cast<float>(p.x), static_cast<float>(p.y), 0.5f, 1.0f, White, 0, 0});
    }
    return out;
  };
  BackBufferClear(render, Black);
  TransformedVerticesDraw(
      render, D3DPT_TRIANGLEFAN,
      vertices({c, ring[0], ring[1], ring[2], ring[3], ring[4], ring[5], ring[0]}));
  const std::vector<bool> fan = Drawn();
  BackBufferClear(render, Black);
  // Zig-zag across the hexagon: 0, 5, 1, 4, 2, 3.
  TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP,
                          vertices({ring[0], ring[5], ring[1], ring[4], ring[2], ring[3]}));
  const std::vector<bool> strip = Drawn();
  EXPECT_EQ(fan, strip);
  EXPECT_EQ(std::count(fan.begin(), fan.end(), true), std::count(strip.begin(), strip.end(), true));
  EXPECT_GT(std::count(fan.begin(), fan.end(), true), 100);
}

TEST_F(RasterTest, FlatShadingColoursEachTriangleLikeItsFirstVertex) {
  render->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
  const D3DCOLOR red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF;
  auto vertex = [](float x, float y, D3DCOLOR colour) {
    return TransformedVertex{x, y, 0.5f, 1.0f, colour, 0, 0};
  };
  // The first vertex of list triangle i is vertex 3i, of a strip's vertex i, of a fan's i + 1.
  const struct {
    D3DPRIMITIVETYPE type;
    std::vector<TransformedVertex> vertices;
    D3DCOLOR first, second;
  } cases[] = {
      {D3DPT_TRIANGLELIST,
       {vertex(2, 2, red), vertex(20, 2, green), vertex(2, 20, blue), vertex(22, 4, green),
        vertex(22, 22, blue), vertex(4, 22, red)},
       red,
       green},
      {D3DPT_TRIANGLESTRIP,
       {vertex(2, 2, red), vertex(22, 2, green), vertex(2, 22, blue), vertex(22, 22, red)},
       red,
       green},
      {D3DPT_TRIANGLEFAN,
       {vertex(2, 2, red), vertex(22, 2, green), vertex(22, 22, blue), vertex(2, 22, red)},
       green,
       blue},
  };
  for (const auto& c : cases) {
    BackBufferClear(render, Black);
    TransformedVerticesDraw(render, c.type, c.vertices);
    const BackBufferImage image = render.BackBufferRead();
    ASSERT_EQ(image.width, Size);
    // (16, 5) lies in the first triangle of each, (16, 18) in the second.
    EXPECT_EQ(image.At(16, 5) & 0xFFFFFF, c.first) << "type " << c.type;
    EXPECT_EQ(image.At(16, 18) & 0xFFFFFF, c.second) << "type " << c.type;
  }
}

// Two triangles on the screen, the left one clockwise, the right one counter-clockwise.
const std::vector<Triangle> MixedWindings = {{{{2, 2}, {10, 2}, {2, 10}}},
                                             {{{13, 2}, {13, 10}, {21, 2}}}};

TEST_F(RasterTest, CullModesRemoveTrianglesByTheirWindingOnTheScreen) {
  const struct {
    DWORD mode;
    bool clockwiseDrawn, counterClockwiseDrawn;
  } cases[] = {{D3DCULL_NONE, true, true}, {D3DCULL_CW, false, true}, {D3DCULL_CCW, true, false}};
  for (const auto& c : cases) {
    render->SetRenderState(D3DRS_CULLMODE, c.mode);
    BackBufferClear(render, Black);
    TransformedVerticesDraw(render, D3DPT_TRIANGLELIST, TransformedTriangles(MixedWindings, White));
    const BackBufferImage image = render.BackBufferRead();
    ASSERT_EQ(image.width, Size);
    EXPECT_EQ((image.At(4, 4) & 0xFFFFFF) != 0, c.clockwiseDrawn) << "cull mode " << c.mode;
    EXPECT_EQ((image.At(15, 4) & 0xFFFFFF) != 0, c.counterClockwiseDrawn) << "cull mode " << c.mode;
  }
}

struct ColourVertex {
  float x, y, z;
  D3DCOLOR diffuse;
};
constexpr DWORD ColourVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

// Every other triangle of a strip turns the other way round its vertices; each keeps the first
// one's winding all the same, so a culling mode takes all of the strip or none of it.
TEST_F(RasterTest, EveryTriangleOfAStripIsCulledAsItsFirstIs) {
  // Zigzagging between two rows: counter-clockwise on the screen first.
  std::vector<TransformedVertex> strip;
  for (int k = 0; k < 6; ++k) {
    strip.push_back({4.0f * k, k % 2 == 0 ? 4.0f : 16.0f, 0.5f, 1.0f, White, 0.0f, 0.0f});
  }
  for (const auto& [mode, drawn] : {std::pair{D3DCULL_CW, true}, std::pair{D3DCULL_CCW, false}}) {
    render->SetRenderState(D3DRS_CULLMODE, mode);
    BackBufferClear(render, Black);
    TransformedVerticesDraw(render, D3DPT_TRIANGLESTRIP, strip);
    const std::vector<bool> shown = Drawn();
    ASSERT_EQ(shown.size(), Size * Size);
    // Inside the first four triangles, each well away from its edges.
    for (const Point& p : {Point{4, 8}, Point{6, 13}, Point{10, 8}, Point{15, 13}}) {
      EXPECT_EQ(shown[static_cast<size_t>(p.y) * Size + static_cast<size_t>(p.x)], drawn)
          << "cull mode " << mode << " at " << p.x << ", " << p.y;
    }
  }
}

TEST_F(RasterTest, WindingIsJudgedAsSeenOnTheScreenThroughTheViewportsFlipOfY) {
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  // Left, top, right as seen: clockwise on the screen, although its signed area in clip space
  // (y up) has the sign a counter-clockwise triangle has on the screen (y down).
  const ColourVertex triangle[3] = {
      {-0.5f, -0.5f, 0.5f, White}, {0.0f, 0.5f, 0.5f, White}, {0.5f, -0.5f, 0.5f, White}};
  for (DWORD mode : {D3DCULL_CW, D3DCULL_CCW}) {
    render->SetRenderState(D3DRS_CULLMODE, mode);
    BackBufferClear(render, Black);
    VerticesDraw(render, D3DPT_TRIANGLELIST, 1, triangle, 3, sizeof(ColourVertex),
                 ColourVertexFormat);
    const BackBufferImage image = render.BackBufferRead();
    ASSERT_EQ(image.width, Size);
    EXPECT_EQ((image.At(Size / 2, Size / 2) & 0xFFFFFF) != 0, mode == D3DCULL_CCW);
  }
}

TEST_F(RasterTest, ATriangleCrossingTheNearPlaneDrawsOnlyItsPartInFront) {
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  RightHandedProjectionSet(render);
  // A floor under the camera from 5 in front of it to 5 behind it.
  const ColourVertex floor[3] = {
      {-2.0f, -1.0f, -5.0f, White}, {2.0f, -1.0f, -5.0f, White}, {0.0f, -1.0f, 5.0f, White}};
  BackBufferClear(render, Black);
  VerticesDraw(render, D3DPT_TRIANGLELIST, 1, floor, 3, sizeof(ColourVertex), ColourVertexFormat);
  const BackBufferImage image = render.BackBufferRead();
  ASSERT_EQ(image.width, Size);
  // The far edge is at y = -1 / 5 on the screen and the floor leaves the bottom at z = -1.
  // In between, at depth z its half width is 2 (5 - z) / 10 over a distance -z.
  for (UINT y = 0; y < Size; ++y) {
    for (UINT x = 0; x < Size; ++x) {
      const double nx = (x + 0.0) / (Size / 2.0) - 1.0, ny = 1.0 - (y + 0.0) / (Size / 2.0);
      const bool drawn = (image.At(x, y) & 0xFFFFFF) != 0;
      const double z = 1.0 / ny;  // from ny = -1 / -z; only for ny < 0
      const double margin = 1.5 / (Size / 2.0);
      if (ny > -0.2 + margin) {
        EXPECT_FALSE(drawn) << "above the far edge: " << x << ", " << y;
      } else if (ny < -0.2 - margin) {
        const double halfWidth = 0.2 * (5.0 - z) / -z;
        if (std::fabs(nx) < halfWidth - margin) {
          EXPECT_TRUE(drawn) << x << ", " << y;
        }
        if (std::fabs(nx) > halfWidth + margin) {
          EXPECT_FALSE(drawn) << x << ", " << y;
        }
      }
    }
  }
}

// A triangle with a corner in front, one exactly on the near plane and one behind the eye
// (w < 0), its corners given in clip space through the projection: the points of it that show
// are those with 0 <= z <= w and w > 0, found here for each pixel centre from its barycentric
// coordinates on the triangle.
TEST_F(RasterTest, ATriangleWithACornerOnTheNearPlaneAndOneBehindTheEyeShowsItsPartInFront) {
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  const double corners[3][4] = {{-1, 1, 0.5, 1}, {1, 1, -0.5, -1}, {0, -0.5, 0, 2}};
  // The unit points along x, y and z land on the corners' clip coordinates.
  D3DMATRIX projection = {};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) projection.m[r][c] = static_cast<float>(corners[r][c]);
  }
  render->SetTransform(D3DTS_PROJECTION, &projection);
  const ColourVertex triangle[3] = {
      {1.0f, 0.0f, 0.0f, White}, {0.0f, 1.0f, 0.0f, White}, {0.0f, 0.0f, 1.0f, White}};
  BackBufferClear(render, Black);
  VerticesDraw(render, D3DPT_TRIANGLELIST, 1, triangle, 3, sizeof(ColourVertex),
               ColourVertexFormat);
  const BackBufferImage image = render.BackBufferRead();
  ASSERT_EQ(image.width, Size);
  int inside = 0;
  for (UINT y = 0; y < Size; ++y) {
    for (UINT x = 0; x < Size; ++x) {
      const double nx = (x + 0.0) / (Size / 2.0) - 1.0, ny = 1.0 - (y + 0.0) / (Size / 2.0);
      // a x + b y + c z over the corners, with a + b + c = 1, on the pixel's line of sight:
      // x - nx w = 0 and y - ny w = 0 (Cramer's rule).
      double m[3][3];
      for (int k = 0; k < 3; ++k) {
        m[0][k] = corners[k][0] - nx * corners[k][3];
        m[1][k] = corners[k][1] - ny * corners[k][3];
        m[2][k] = 1.0;
      }
      auto determinant = [](const double(&a)[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
      };
      const double whole = determinant(m);
      double weight[3], point[4] = {};
      for (int k = 0; k < 3; ++k) {
        double replaced[3][3];
        for (int r = 0; r < 3; ++r) {
          for (int c = 0; c < 3; ++c) replaced[r][c] = c == k ? (r == 2 ? 1.0 : 0.0) : m[r][c];
        }
        weight[k] = determinant(replaced) / whole;
        for (int c = 0; c < 4; ++c) point[c] += weight[k] * corners[k][c];
      }
      const double least = std::min({weight[0], weight[1], weight[2]});
      const double depth = point[2] / point[3];
      const bool drawn = (image.At(x, y) & 0xFFFFFF) != 0;
      if (least > 0.05 && point[3] > 0 && depth > 0.05 && depth < 0.95) {
        ++inside;
        EXPECT_TRUE(drawn) << "in front: " << x << ", " << y;
      } else if (least < -0.05 || point[3] < 0 || depth < -0.05 || depth > 1.05) {
        EXPECT_FALSE(drawn) << "not in front: " << x << ", " << y;
      }
    }
  }
  EXPECT_GT(inside, 20) << "pixels that must show";
}

TEST_F(RasterTest, TrianglesReachingFarOffTheScreenAreClippedPreciselyAndNoneCrashes) {
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  // A hundred thousand half-screens out: far past any guard band, yet near enough that clipping
  // in the single precision the vertices come in still cuts the edges within a pixel.
  const float huge = 1e5f, nan = std::nanf("");
  const ColourVertex triangles[] = {
      // Two hundred thousand across, around the screen; long and thin through it; one corner
      // not a number; one from behind the eye.
      {-huge, -huge, 0.5f, White}, {huge, -huge, 0.5f, White}, {0.0f, huge, 0.5f, White},
      {-3e5f, 0.1f, 0.5f, White},  {3e5f, 0.2f, 0.5f, White},  {0.0f, 3e5f, 0.5f, White},
      {nan, 0.0f, 0.5f, White},    {0.5f, 0.5f, 0.5f, White},  {0.0f, 0.5f, 0.5f, White},
      {0.0f, 0.0f, -2.0f, White},  {0.5f, 0.0f, 2.0f, White},  {0.0f, 0.5f, 0.5f, White},
  };
  // w = z: the last triangle crosses w = 0.
  D3DMATRIX projection = {};
  projection._11 = projection._22 = projection._33 = projection._34 = 1.0f;
  for (bool perspective : {false, true}) {
    if (perspective) render->SetTransform(D3DTS_PROJECTION, &projection);
    BackBufferClear(render, Black);
    VerticesDraw(render, D3DPT_TRIANGLELIST, 4, triangles, 12, sizeof(ColourVertex),
                 ColourVertexFormat);
    // The first triangle, cut down to the screen, covers all of it.
    const BackBufferImage image = render.BackBufferRead();
    ASSERT_EQ(image.width, Size);
    for (D3DCOLOR pixel : image.pixels) ASSERT_EQ(pixel & 0xFFFFFF, White);
  }
}

#ifndef _WIN32
// A triangle 10^30 half-screens wide but only half a screen high is cut at its sides: the rows
// it crosses show it all across, and the rows above and below it nothing. Our device's: Windows'
// is not shown to clip this far, and Wine's draws it only as far as its floats reach.
TEST_F(RasterTest, ATriangleFarWiderThanTheScreenButLowIsCutAtItsSidesOnly) {
  render->SetRenderState(D3DRS_LIGHTING, FALSE);
  const ColourVertex triangle[] = {
      {-1e30f, -0.5f, 0.5f, White}, {1e30f, -0.5f, 0.5f, White}, {0.0f, 0.5f, 0.5f, White}};
  BackBufferClear(render, Black);
  VerticesDraw(render, D3DPT_TRIANGLELIST, 1, triangle, 3, sizeof(ColourVertex),
               ColourVertexFormat);
  const BackBufferImage image = render.BackBufferRead();
  ASSERT_EQ(image.width, Size);
  // Row r's centres lie at y = 1 - r / 12: those of rows 7 to 17 within -0.5 < y < 0.5. The
  // sides pass closer to row 6's than any precision tells, and the base runs through row 18's.
  for (UINT y = 0; y < Size; ++y) {
    if (y == 6 || y == 18) continue;
    for (UINT x = 0; x < Size; ++x) {
      EXPECT_EQ(image.At(x, y) & 0xFFFFFF, y > 6 && y < 18 ? White : Black)
          << "pixel " << x << ", " << y;
    }
  }
}
#endif

// A pre-transformed triangle reaching 10^30 pixels off the target, in x or in y: whether
// or not the device draws what of it is on the target, it draws nothing outside it.
TEST_F(RasterTest, APreTransformedTriangleFarOffTheTargetDrawsNothingOutsideItself) {
  for (const bool acrossX : {true, false}) {
    const double distant = 1e30;
    // A corner far off to the right (or below) of a base near the bottom (or right) edge.
    const Triangle triangle = acrossX ? Triangle{{{4, 20}, {distant, 2}, {4, 22}}}
                                      : Triangle{{{20, 4}, {22, 4}, {2, distant}}};
    BackBufferClear(render, Black);
    TransformedVerticesDraw(render, D3DPT_TRIANGLELIST, TransformedTriangles({triangle}, White));
    const std::vector<bool> drawn = Drawn();
    ASSERT_EQ(drawn.size(), Size * Size);
    for (UINT y = 0; y < Size; ++y) {
      for (UINT x = 0; x < Size; ++x) {
        // Outside by more than a pixel: on the far side of an edge.
        bool outside = false;
        for (int e = 0; e < 3; ++e) {
          const Point& a = triangle[e];
          const Point& b = triangle[(e + 1) % 3];
          const Point& c = triangle[(e + 2) % 3];
          const auto side = [&](double px, double py) {
            return (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
          };
          const double length = std::hypot(b.x - a.x, b.y - a.y);
          const bool beyond = side(x, y) * side(c.x, c.y) < 0;
          outside = outside || (beyond && std::fabs(side(x, y)) / length > 1.0);
        }
        if (outside) {
          EXPECT_FALSE(drawn[y * Size + x]) << x << ", " << y << (acrossX ? " x" : " y");
        }
      }
    }
  }
}

}  // namespace
