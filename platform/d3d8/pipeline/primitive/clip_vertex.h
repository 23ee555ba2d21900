// A vertex as vertex processing leaves it: its clip-space position and the attributes that
// are interpolated across triangles.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_CLIP_VERTEX_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PRIMITIVE_CLIP_VERTEX_H

namespace d3d8sw {

struct ClipVertex {
  float position[4];  // x, y, z, w; for a vertex given already transformed, its screen x, y, z
                      // and 1/w
  float diffuse[4];   // b, g, r, a in [0, 1]: the order of a pixel's bytes in memory
  float specular[4];  // b, g, r, a in [0, 1]
  float texCoord[2];  // u, v
};

// The vertex a fraction t of the way from a to b, worked out in double precision: an edge
// running far outside the screen is cut near it, where float would have lost the place.
inline ClipVertex ClipVertexLerp(const ClipVertex& a, const ClipVertex& b, double t) {
  auto lerp = [t](float from, float to) {
    return static_cast<float>(from + (static_cast<double>(to) - from) * t);
  };
  ClipVertex out;
  for (int i = 0; i < 4; ++i) {
    out.position[i] = lerp(a.position[i], b.position[i]);
    out.diffuse[i] = lerp(a.diffuse[i], b.diffuse[i]);
    out.specular[i] = lerp(a.specular[i], b.specular[i]);
  }
  for (int i = 0; i < 2; ++i) out.texCoord[i] = lerp(a.texCoord[i], b.texCoord[i]);
  return out;
}

}  // namespace d3d8sw

#endif
