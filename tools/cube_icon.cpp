#include "cube_icon.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "landscape.h"

namespace {

struct Point {
  float x, y;
};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a) { return {-a.x, -a.y}; }
Point operator*(Point a, float s) { return {a.x * s, a.y * s}; }

// One face as the screen shows it: a parallelogram from the picture's top-left corner along
// the picture's rows (across) and columns (down), and how brightly it is lit.
struct Face {
  Point corner, across, down;
  float light;
};

// The three faces seen from above the cube's front edge, fitted into the icon with a margin.
// The projection is orthographic, so the faces meet exactly and tile the cube's outline.
std::array<Face, 3> CubeFaces(int side) {
  // The unit edges on screen (y down): the cube turned 45 degrees about its vertical axis and
  // tipped 30 degrees towards the viewer.
  const float turn = 0.785398f, tip = 0.523599f;
  Point alongX{std::cos(turn), std::sin(turn) * std::sin(tip)};
  Point alongZ{-std::sin(turn), std::cos(turn) * std::sin(tip)};
  Point upY{0, -std::cos(tip)};
  const float width = alongX.x - alongZ.x, height = alongX.y + alongZ.y - upY.y;
  const float scale = side * 0.92f / std::max(width, height);
  alongX = alongX * scale, alongZ = alongZ * scale, upY = upY * scale;
  // The hidden back-bottom corner, placed so that the outline is centred.
  const Point origin{side * 0.5f, side * 0.5f - (upY.y + alongX.y + alongZ.y) * 0.5f};
  const Point backTop = origin + upY;
  return {{
      // Light from above and the left: the top brightest, the right side in shade. The picture
      // stands upright on both sides and is not mirrored anywhere.
      {backTop, alongX, alongZ, 1.3f},
      {backTop + alongZ, alongX, -upY, 1.0f},
      {backTop + alongZ + alongX, -alongZ, -upY, 0.62f},
  }};
}

// Where a face holds the point, its picture coordinates (u, v), each in [0, 1].
bool FaceHolds(const Face& face, Point p, float& u, float& v) {
  const float dx = p.x - face.corner.x, dy = p.y - face.corner.y;
  const float det = face.across.x * face.down.y - face.across.y * face.down.x;
  u = (dx * face.down.y - dy * face.down.x) / det;
  v = (face.across.x * dy - face.across.y * dx) / det;
  return u >= 0 && u <= 1 && v >= 0 && v <= 1;
}

// The picture's colour at (u, v), bilinearly filtered, in channel units 0 to 255.
std::array<float, 3> PictureAt(const std::vector<std::uint8_t>& picture, float u, float v) {
  const float x = std::clamp(u * LandscapeSize - 0.5f, 0.0f, LandscapeSize - 1.0f);
  const float y = std::clamp(v * LandscapeSize - 0.5f, 0.0f, LandscapeSize - 1.0f);
  const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
  const int x1 = std::min(x0 + 1, LandscapeSize - 1), y1 = std::min(y0 + 1, LandscapeSize - 1);
  const float fx = x - x0, fy = y - y0;
  std::array<float, 3> colour;
  for (int c = 0; c < 3; ++c) {
    auto at = [&](int px, int py) -> float { return picture[(py * LandscapeSize + px) * 3 + c]; };
    const float top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * fx;
    const float bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * fx;
    colour[c] = top + (bottom - top) * fy;
  }
  return colour;
}

constexpr float EdgeColour[3] = {236, 206, 232};
constexpr float EdgeOpacity = 0.7f;

std::uint8_t Channel(float value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
}

}  // namespace

IconImage CubeIconPaint(int side) {
  // Eight by eight samples a pixel: the cube's edges are anti-aliased, never jagged.
  constexpr int Grid = 8;
  const std::vector<std::uint8_t> picture = LandscapePaint();
  const std::array<Face, 3> faces = CubeFaces(side);
  // Light edges keep the dark dusk cube apart from a dark panel and crisp when small.
  const float edgeWidth = side / 96.0f;
  IconImage image{side, std::vector<std::uint8_t>(side * side * 4)};
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column) {
      std::array<float, 3> sum{0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < Grid; ++sy) {
        for (int sx = 0; sx < Grid; ++sx) {
          const Point p{column + (sx + 0.5f) / Grid, row + (sy + 0.5f) / Grid};
          for (const Face& face : faces) {
            float u, v;
            if (!FaceHolds(face, p, u, v)) continue;
            const std::array<float, 3> colour = PictureAt(picture, u, v);
            const bool onEdge =
                std::min({u, 1 - u}) * std::hypot(face.across.x, face.across.y) < edgeWidth ||
                std::min({v, 1 - v}) * std::hypot(face.down.x, face.down.y) < edgeWidth;
            for (int c = 0; c < 3; ++c) {
              const float lit = std::min(255.0f, colour[c] * face.light);
              sum[c] += onEdge ? lit + (EdgeColour[c] - lit) * EdgeOpacity : lit;
            }
            ++covered;
            break;
          }
        }
      }
      std::uint8_t* out = &image.rgba[(row * side + column) * 4];
      if (covered == 0) continue;
      for (int c = 0; c < 3; ++c) out[c] = Channel(sum[c] / covered);
      out[3] = Channel(255.0f * covered / (Grid * Grid));
    }
  }
  return image;
}

IconImage IconImageShrink(const IconImage& image, int side) {
  // Colours are weighted by their alpha, so that the transparent background, whatever colour
  // its pixels hold, never darkens the cube's edges.
  const int from = image.side;
  const float step = static_cast<float>(from) / side;
  // The share of source pixel s that destination pixel d covers along one axis.
  auto overlap = [step](int d, int s) {
    return std::max(0.0f, std::min(d * step + step, s + 1.0f) - std::max(d * step, float(s)));
  };
  IconImage shrunk{side, std::vector<std::uint8_t>(side * side * 4)};
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column) {
      std::array<float, 4> sum{0, 0, 0, 0};
      const int firstRow = static_cast<int>(row * step),
                lastRow = static_cast<int>((row + 1) * step);
      const int firstColumn = static_cast<int>(column * step);
      const int lastColumn = static_cast<int>((column + 1) * step);
      for (int sy = firstRow; sy <= std::min(lastRow, from - 1); ++sy) {
        for (int sx = firstColumn; sx <= std::min(lastColumn, from - 1); ++sx) {
          const float weight = overlap(row, sy) * overlap(column, sx);
          const std::uint8_t* in = &image.rgba[(sy * from + sx) * 4];
          const float alpha = in[3] * weight;
          for (int c = 0; c < 3; ++c) sum[c] += in[c] * alpha;
          sum[3] += alpha;
        }
      }
      std::uint8_t* out = &shrunk.rgba[(row * side + column) * 4];
      if (sum[3] == 0) continue;
      for (int c = 0; c < 3; ++c) out[c] = Channel(sum[c] / sum[3]);
      out[3] = Channel(sum[3] / (step * step));
    }
  }
  return shrunk;
}
