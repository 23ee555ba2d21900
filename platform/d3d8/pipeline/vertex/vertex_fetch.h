// Reading vertices out of a vertex buffer by the layout of their flexible vertex format.
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_VERTEX_FETCH_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_VERTEX_FETCH_H

#include <d3d8.h>

#include "platform/d3d8/pipeline/vertex/vertex_format.h"

namespace d3d8sw {

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
