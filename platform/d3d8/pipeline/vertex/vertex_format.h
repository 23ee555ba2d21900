// The flexible vertex formats this device draws: a position (XYZ, or XYZRHW already
// transformed to the screen), an optional normal (not with XYZRHW), diffuse and specular
// colours, and up to eight sets of 2-D texture coordinates; and where each element sits.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_VERTEX_FORMAT_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_VERTEX_FORMAT_H

#include <d3d8.h>

namespace d3d8sw {

bool VertexFormatSupported(DWORD fvf);

// Where each element sits in one vertex of a format.
struct VertexLayout {
  bool transformed = false;  // XYZRHW: screen x, y, z and 1/w
  bool hasNormal = false;
  bool hasDiffuse = false;
  bool hasSpecular = false;
  UINT normalOffset = 0;
  UINT diffuseOffset = 0;
  UINT specularOffset = 0;
  UINT texCoordOffset = 0;  // of the first set; each set is two floats
  UINT texCoordSets = 0;
  UINT size = 0;  // bytes of one vertex
};

VertexLayout VertexLayoutFromFvf(DWORD fvf);

}  // namespace d3d8sw

#endif
