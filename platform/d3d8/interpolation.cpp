#include "platform/d3d8/interpolation.h"

#include "platform/d3d8/lane_vectors.h"

namespace d3d8sw {

namespace {

// A plane's value at a group of pixels, (dx, dy) from its reference point.
inline __attribute__((always_inline)) F32x8 PlaneAt(const AttributePlanes& planes, int a,
                                                    const F32x8& dx, const F32x8& dy) {
  return planes.at[a] + planes.perX[a] * dx + planes.perY[a] * dy;
}

// A colour channel's plane times 65535, so that the plane over w is the channel's lane.
struct LanePlane {
  float at, perX, perY;
};

void LanePlanes(const AttributePlanes& planes, int first, LanePlane (&out)[4]) {
  for (int c = 0; c < 4; ++c) {
    const float scale = static_cast<float>(LaneOne);
    out[c] = {planes.at[first + c] * scale, planes.perX[first + c] * scale,
              planes.perY[first + c] * scale};
  }
}

// The first `Count` perspective-correct colour channels of a group as the group's lanes; alpha
// is one when it is not among them.
template <int Count>
inline __attribute__((always_inline)) void ColourLanes(const LanePlane (&channels)[4],
                                                       const F32x8& dx, const F32x8& dy,
                                                       const F32x8& w, uint16_t* lanes) {
  U16x8 channel[4];
  channel[3] = U16x8{} + LaneOne;
  for (int c = 0; c < Count; ++c) {
    const LanePlane& p = channels[c];
    // Through 32-bit integers: the compiler converts floats to 16 bits one at a time.
    const I32x8 lane = __builtin_convertvector((p.at + p.perX * dx + p.perY * dy) * w, I32x8);
    const I32x8 low = lane < 0 ? 0 : lane;
    channel[c] = __builtin_convertvector(low > I32x8{} + LaneOne ? I32x8{} + LaneOne : low, U16x8);
  }
  // From one vector a channel to four lanes a pixel.
  const U16x16 bg = __builtin_shufflevector(channel[0], channel[1], 0, 8, 1, 9, 2, 10, 3, 11, 4, 12,
                                            5, 13, 6, 14, 7, 15);
  const U16x16 ra = __builtin_shufflevector(channel[2], channel[3], 0, 8, 1, 9, 2, 10, 3, 11, 4, 12,
                                            5, 13, 6, 14, 7, 15);
  VectorStore(lanes, __builtin_shufflevector(bg, ra, 0, 1, 16, 17, 2, 3, 18, 19, 4, 5, 20, 21, 6, 7,
                                             22, 23));
  VectorStore(lanes + 16, __builtin_shufflevector(bg, ra, 8, 9, 24, 25, 10, 11, 26, 27, 12, 13, 28,
                                                  29, 14, 15, 30, 31));
}

}  // namespace

D3D8SW_PIXEL_PASS
void ChunkInterpolate(const InterpolationNeeds& needs, const AttributePlanes& planes,
                      PixelChunk& chunk) {
  LanePlane diffuse[4], specular[4];
  LanePlanes(planes, AttrDiffuse, diffuse);
  LanePlanes(planes, AttrSpecular, specular);
  const int groups = GroupCount(chunk.count);
  for (int g = 0; g < groups; ++g) {
    const int i = GroupPixels * g;
    const F32x8 dx = VectorLoad<F32x8>(chunk.x + i) - planes.refX;
    const F32x8 dy = VectorLoad<F32x8>(chunk.y + i) - planes.refY;
    if (needs.depth) VectorStore(chunk.depth + i, PlaneAt(planes, AttrDepth, dx, dy));
    if (!needs.texCoords && !needs.diffuse && !needs.specular) continue;
    const F32x8 w = 1.0f / PlaneAt(planes, AttrInvW, dx, dy);
    if (needs.texCoords) {
      VectorStore(chunk.u + i, PlaneAt(planes, AttrU, dx, dy) * w);
      VectorStore(chunk.v + i, PlaneAt(planes, AttrV, dx, dy) * w);
    }
    if (needs.diffuse && needs.diffuseAlpha) {
      ColourLanes<4>(diffuse, dx, dy, w, chunk.diffuse + 4 * i);
    } else if (needs.diffuse) {
      ColourLanes<3>(diffuse, dx, dy, w, chunk.diffuse + 4 * i);
    }
    if (needs.specular) ColourLanes<4>(specular, dx, dy, w, chunk.specular + 4 * i);
  }
}

}  // namespace d3d8sw
