#include "platform/d3d8/pipeline/primitive/clipping.h"

#include <algorithm>

namespace d3d8sw {

namespace {

constexpr float GuardBandPixels = 4096.0f;
constexpr int PlaneCount = 6;

// Signed distance-like value that is >= 0 inside plane `plane`.
double PlaneValue(int plane, const float p[4], const GuardBand& band) {
  const double x = p[0], y = p[1], z = p[2], w = p[3];
  switch (plane) {
    case 0:
      return z;  // near: 0 <= z
    case 1:
      return w - z;  // far: z <= w
    case 2:
      return band.x * w + x;
    case 3:
      return band.x * w - x;
    case 4:
      return band.y * w + y;
    default:
      return band.y * w - y;
  }
}

}  // namespace

GuardBand GuardBandForViewport(float width, float height) {
  return {1.0f + 2.0f * GuardBandPixels / std::max(width, 1.0f),
          1.0f + 2.0f * GuardBandPixels / std::max(height, 1.0f)};
}

uint32_t ClipOutcode(const float position[4], const GuardBand& band) {
  uint32_t code = 0;
  for (int plane = 0; plane < PlaneCount; ++plane) {
    if (PlaneValue(plane, position, band) < 0.0f) code |= 1u << plane;
  }
  // w <= 0 is never a visible point, whatever the projection made of z.
  if (!(position[3] > 0.0f)) code |= 1u << PlaneCount;
  return code;
}

int TriangleClip(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c,
                 const GuardBand& band, ClipVertex out[MaxClippedVertices]) {
  ClipVertex buffer[MaxClippedVertices];
  ClipVertex* in = out;
  ClipVertex* next = buffer;
  in[0] = a;
  in[1] = b;
  in[2] = c;
  int count = 3;
  const uint32_t outside =
      ClipOutcode(a.position, band) | ClipOutcode(b.position, band) | ClipOutcode(c.position, band);
  for (int plane = 0; plane < PlaneCount && count > 0; ++plane) {
    if (!(outside & (1u << plane))) continue;
    int written = 0;
    for (int i = 0; i < count; ++i) {
      const ClipVertex& from = in[i];
      const ClipVertex& to = in[(i + 1) % count];
      const double dFrom = PlaneValue(plane, from.position, band);
      const double dTo = PlaneValue(plane, to.position, band);
      if (dFrom >= 0.0f) next[written++] = from;
      if ((dFrom >= 0.0f) != (dTo >= 0.0f)) {
        next[written++] = ClipVertexLerp(from, to, dFrom / (dFrom - dTo));
      }
    }
    count = written;
    std::swap(in, next);
  }
  // A vertex with w <= 0 inside every plane can only be the apex of a degenerate triangle
  // (x = y = z = w = 0); nothing of it is visible.
  for (int i = 0; i < count; ++i) {
    if (!(in[i].position[3] > 0.0f)) return 0;
  }
  if (in != out) std::copy(in, in + count, out);
  return count;
}

}  // namespace d3d8sw
