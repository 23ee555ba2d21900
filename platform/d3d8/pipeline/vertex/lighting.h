// Per-vertex fixed-function lighting in camera space.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_LIGHTING_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_LIGHTING_H

#include "platform/d3d8/pipeline/pipeline_state.h"
#include "platform/d3d8/pipeline/vertex/vertex_fetch.h"

namespace d3d8sw {

// A light as it is seen from the camera, with what every vertex would otherwise recompute.
struct CameraLight {
  D3DLIGHTTYPE type;
  D3DCOLORVALUE diffuse, specular, ambient;
  float position[3];  // camera space (point and spot)
  float toLight[3];   // unit vector towards the light (directional)
  float spotAxis[3];  // unit direction the spot shines in
  float range;
  float attenuation[3];
  float cosHalfTheta, cosHalfPhi, falloff;
};

struct LightingSetup {
  bool enabled = false;  // D3DRS_LIGHTING
  int lightCount = 0;
  CameraLight lights[MaxLights];
  D3DCOLORVALUE globalAmbient;
  D3DMATERIAL8 material;
  DWORD diffuseSource, ambientSource, specularSource, emissiveSource;  // D3DMCS_*
  bool colourVertex;
  bool specularEnabled;
  bool localViewer;
  bool normalizeNormals;
};

LightingSetup LightingSetupBuild(const PipelineState& state);

// The vertex's two colours, each b, g, r, a in [0, 1]. `position` and `normal` are in camera
// space; `normal` is ignored unless the layout has one.
void VertexLight(const LightingSetup& setup, const VertexLayout& layout,
                 const FetchedVertex& vertex, const float position[3], const float normal[3],
                 float diffuse[4], float specular[4]);

}  // namespace d3d8sw

#endif
