// A vertex after the viewport transform, with the attributes in the form that interpolates
// linearly across the screen, and a triangle's attributes as planes.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_SCREEN_VERTEX_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_PIXEL_SCREEN_VERTEX_H

namespace d3d8sw {

enum Attribute : int {
  AttrInvW,  // 1 / w
  AttrU,     // the others up to AttrDepth are divided by w for perspective-correct results
  AttrV,
  AttrDiffuse,  // four: b, g, r, a
  AttrSpecular = AttrDiffuse + 4,
  AttrDepth = AttrSpecular + 4,  // Zs, linear on the screen
  AttributeCount
};

struct ScreenVertex {
  float x, y;  // pixels; pixel centres sit at integer coordinates
  float attributes[AttributeCount];
};

// The attributes of a triangle as planes over the screen: attribute a at pixel (x, y) is
// at[a] + perX[a] (x - refX) + perY[a] (y - refY).
struct AttributePlanes {
  float refX, refY;
  float at[AttributeCount];
  float perX[AttributeCount];
  float perY[AttributeCount];
};

}  // namespace d3d8sw

#endif
