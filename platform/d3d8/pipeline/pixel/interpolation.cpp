#include "platform/d3d8/pipeline/pixel/interpolation.h"

#include "platform/d3d8/pipeline/pixel/lane_vectors.h"

namespace d3d8sw {

namespace {

// A plane's value at a step's pixels, (dx, dy) from its reference point.
template <int N>
D3D8SW_INLINE Floats<N> PlaneAt(const AttributePlanes& planes, int a, const Floats<N>& dx,
                                const Floats<N>& dy) {
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

// One perspective-correct channel of a step's pixels, as 16-bit values in 32-bit lanes.
template <int N>
D3D8SW_INLINE Words<N> ChannelLanes(const LanePlane& p, const Floats<N>& dx, const Floats<N>& dy,
                                    const Floats<N>& w) {
  const Ints<N> lane = __builtin_convertvector((p.at + p.perX * dx + p.perY * dy) * w, Ints<N>);
  const Ints<N> low = lane < 0 ? 0 : lane;
  return (Words<N>)(low > Ints<N>{} + LaneOne ? Ints<N>{} + LaneOne : low);
}

// A step's colour, both planes; alpha is one when it is not asked for.
template <int N>
D3D8SW_INLINE void ColourLanes(const LanePlane (&channels)[4], bool alpha, const Floats<N>& dx,
                               const Floats<N>& dy, const Floats<N>& w, ChunkColour& colour,
                               int i) {
  // Blue and red, green and alpha: the order of a pixel's bytes is b, g, r, a.
  const Words<N> blueRed =
      ChannelLanes<N>(channels[0], dx, dy, w) | ChannelLanes<N>(channels[2], dx, dy, w) << 16;
  const Words<N> alphaLanes =
      alpha ? ChannelLanes<N>(channels[3], dx, dy, w) : Words<N>{} + LaneOne;
  VectorStore(colour[0] + i, blueRed);
  VectorStore(colour[1] + i, ChannelLanes<N>(channels[1], dx, dy, w) | alphaLanes << 16);
}

template <int N>
D3D8SW_INLINE void ChunkInterpolateBody(const InterpolationNeeds& needs,
                                        const AttributePlanes& planes, PixelChunk& chunk) {
  LanePlane diffuse[4], specular[4];
  LanePlanes(planes, AttrDiffuse, diffuse);
  LanePlanes(planes, AttrSpecular, specular);
  for (int i = 0; i < GroupPixels * GroupCount(chunk.count); i += N) {
    const Floats<N> dx = VectorLoad<Floats<N>>(chunk.x + i) - planes.refX;
    const Floats<N> dy = VectorLoad<Floats<N>>(chunk.y + i) - planes.refY;
    if (needs.depth) VectorStore(chunk.depth + i, PlaneAt<N>(planes, AttrDepth, dx, dy));
    if (!needs.texCoords && !needs.diffuse && !needs.specular) continue;
    const Floats<N> w = 1.0f / PlaneAt<N>(planes, AttrInvW, dx, dy);
    if (needs.texCoords) {
      VectorStore(chunk.u + i, PlaneAt<N>(planes, AttrU, dx, dy) * w);
      VectorStore(chunk.v + i, PlaneAt<N>(planes, AttrV, dx, dy) * w);
    }
    if (needs.diffuse) ColourLanes<N>(diffuse, needs.diffuseAlpha, dx, dy, w, chunk.diffuse, i);
    if (needs.specular) ColourLanes<N>(specular, true, dx, dy, w, chunk.specular, i);
  }
}

}  // namespace

D3D8SW_SIMD_ENTRY(void, ChunkInterpolate,
                  (const InterpolationNeeds& needs, const AttributePlanes& planes,
                   PixelChunk& chunk),
                  (needs, planes, chunk))

}  // namespace d3d8sw
