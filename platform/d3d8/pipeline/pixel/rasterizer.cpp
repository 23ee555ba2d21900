#include "platform/d3d8/pipeline/pixel/rasterizer.h"

#include <algorithm>
#include <cmath>

namespace d3d8sw {

namespace {

constexpr int64_t SubPixelOne = int64_t{1} << SubPixelBits;

int64_t FloorDiv(int64_t n, int64_t d) {  // d > 0
  const int64_t q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}

// One edge's limit on each row, walked down the rows without a division per row. The edge
// from (x0, y0) to (x1, y1) of a clockwise triangle has the inside where
// E = dx (Y - y0) - dy (X - x0) > 0, or = 0 on a top or left edge; for pixel centre (X, Y)
// that is a bound on X which is floor((c(Y) - bias) / |a|) with a = -dy * SubPixelOne.
// A horizontal edge bounds rows, not columns: it keeps c(Y) - bias in `quotient` and the row
// step in `stepQuotient`, and a row is inside while that is >= 0.
struct EdgeWalk {
  enum Kind { Left, Right, Level } kind;
  int64_t quotient, remainder, divisor;
  int64_t stepQuotient, stepRemainder;
};

EdgeWalk EdgeWalkStart(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int firstRow) {
  EdgeWalk walk = {};
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool upward = dy < 0;  // a left edge, of a clockwise triangle
  const bool topLeft = upward || (dy == 0 && dx > 0);
  const int64_t bias = topLeft ? 0 : 1;
  // c(Y) = dx (Y * one - y0) + dy x0, the part of E that does not depend on X.
  const int64_t c = dx * (firstRow * SubPixelOne - y0) + dy * x0;
  if (dy == 0) {
    walk.kind = EdgeWalk::Level;
    walk.quotient = c - bias;
    walk.stepQuotient = dx * SubPixelOne;
    return walk;
  }
  walk.kind = upward ? EdgeWalk::Left : EdgeWalk::Right;
  walk.divisor = (upward ? -dy : dy) * SubPixelOne;
  walk.quotient = FloorDiv(c - bias, walk.divisor);
  walk.remainder = (c - bias) - walk.quotient * walk.divisor;
  const int64_t step = dx * SubPixelOne;
  walk.stepQuotient = FloorDiv(step, walk.divisor);
  walk.stepRemainder = step - walk.stepQuotient * walk.divisor;
  return walk;
}

void EdgeWalkLimit(const EdgeWalk& walk, int64_t& left, int64_t& right) {
  switch (walk.kind) {
    case EdgeWalk::Left:  // X >= ceil((bias - c) / a) = -floor((c - bias) / a)
      left = std::max(left, -walk.quotient);
      break;
    case EdgeWalk::Right:  // X <= floor((c - bias) / -a)
      right = std::min(right, walk.quotient);
      break;
    case EdgeWalk::Level:
      if (walk.quotient < 0) right = left - 1;
      break;
  }
}

void EdgeWalkNextRow(EdgeWalk& walk) {
  walk.quotient += walk.stepQuotient;
  if (walk.kind == EdgeWalk::Level) return;
  walk.remainder += walk.stepRemainder;
  if (walk.remainder >= walk.divisor) {
    walk.remainder -= walk.divisor;
    ++walk.quotient;
  }
}

int64_t CoordinateSnap(float coordinate) {
  return static_cast<int64_t>(std::llround(static_cast<double>(coordinate) * SubPixelOne));
}

// The attribute planes through the three vertices, from the snapped positions so that they
// agree with the coverage.
AttributePlanes PlanesBuild(const SnappedTriangle& t) {
  AttributePlanes planes;
  const double x0 = static_cast<double>(t.x[0]) / SubPixelOne;
  const double y0 = static_cast<double>(t.y[0]) / SubPixelOne;
  const double x1 = static_cast<double>(t.x[1]) / SubPixelOne - x0;
  const double y1 = static_cast<double>(t.y[1]) / SubPixelOne - y0;
  const double x2 = static_cast<double>(t.x[2]) / SubPixelOne - x0;
  const double y2 = static_cast<double>(t.y[2]) / SubPixelOne - y0;
  const double area = x1 * y2 - x2 * y1;
  planes.refX = static_cast<float>(x0);
  planes.refY = static_cast<float>(y0);
  for (int a = 0; a < AttributeCount; ++a) {
    const double f0 = t.vertices[0]->attributes[a];
    const double f1 = t.vertices[1]->attributes[a] - f0;
    const double f2 = t.vertices[2]->attributes[a] - f0;
    planes.at[a] = static_cast<float>(f0);
    planes.perX[a] = static_cast<float>((f1 * y2 - f2 * y1) / area);
    planes.perY[a] = static_cast<float>((f2 * x1 - f1 * x2) / area);
  }
  return planes;
}

}  // namespace

SnappedTriangle TriangleSnap(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
  SnappedTriangle t;
  const ScreenVertex* v[3] = {&a, &b, &c};
  for (int i = 0; i < 3; ++i) {
    t.vertices[i] = v[i];
    t.x[i] = CoordinateSnap(v[i]->x);
    t.y[i] = CoordinateSnap(v[i]->y);
  }
  t.winding = (t.x[1] - t.x[0]) * (t.y[2] - t.y[0]) - (t.x[2] - t.x[0]) * (t.y[1] - t.y[0]);
  return t;
}

void TriangleRasterize(const SnappedTriangle& snapped, const Scissor& scissor,
                       const ShadingSetup& setup, TargetMemory& target) {
  if (snapped.winding == 0) return;
  SnappedTriangle t = snapped;
  if (t.winding < 0) {  // the edge tests below want the clockwise order
    std::swap(t.vertices[1], t.vertices[2]);
    std::swap(t.x[1], t.x[2]);
    std::swap(t.y[1], t.y[2]);
    t.winding = -t.winding;
  }
  const int64_t minY = std::min({t.y[0], t.y[1], t.y[2]});
  const int64_t maxY = std::max({t.y[0], t.y[1], t.y[2]});
  const int firstRow =
      static_cast<int>(std::max<int64_t>(-FloorDiv(-minY, SubPixelOne), scissor.top));
  const int lastRow =
      static_cast<int>(std::min<int64_t>(FloorDiv(maxY, SubPixelOne), scissor.bottom - 1));
  if (firstRow > lastRow) return;

  const AttributePlanes planes = PlanesBuild(t);
  EdgeWalk edges[3];
  for (int i = 0; i < 3; ++i) {
    const int j = (i + 1) % 3;
    edges[i] = EdgeWalkStart(t.x[i], t.y[i], t.x[j], t.y[j], firstRow);
  }
  ShadingQueue queue = {setup, planes, target, {}};
  for (int y = firstRow; y <= lastRow; ++y) {
    int64_t left = scissor.left, right = scissor.right - 1;
    for (EdgeWalk& edge : edges) {
      EdgeWalkLimit(edge, left, right);
      EdgeWalkNextRow(edge);
    }
    if (left <= right) {
      ShadingQueueSpan(queue, y, static_cast<int>(left), static_cast<int>(right - left + 1));
    }
  }
  ShadingQueueFlush(queue);
}

}  // namespace d3d8sw
