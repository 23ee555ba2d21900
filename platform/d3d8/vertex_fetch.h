// Reading vertices out of a vertex buffer by their flexible vertex format: a position
// (XYZ, or XYZRHW already transformed to the screen), then an optional normal, diffuse and
// specular colours, and sets of 2-D texture coordinates.
#ifndef VELKOR_PLATFORM_D3D8_VERTEX_FETCH_H
#define VELKOR_PLATFORM_D3D8_VERTEX_FETCH_H

#include <d3d8.h>

namespace d3d8sw {

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

struct FetchedVertex {
  float position[4];  // x, y, z, and for a transformed vertex 1/w
  float normal[3];
  D3DCOLOR diffuse;
  D3DCOLOR specular;
  float texCoord[2];
};

// Reads the vertex at `bytes` with texture coordinate set `texCoordSet` ((0, 0) when the
// format has no such set); elements the layout lacks are left as they were.
void VertexFetch(const VertexLayout& layout, const BYTE* bytes, UINT texCoordSet,
                 FetchedVertex& vertex);

}  // namespace d3d8sw

#endif
