#include "platform/d3d8/vertex_fetch.h"

#include <cstring>

namespace d3d8sw {

VertexLayout VertexLayoutFromFvf(DWORD fvf) {
  VertexLayout layout;
  layout.transformed = (fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW;
  UINT offset = layout.transformed ? 16 : 12;
  if (fvf & D3DFVF_NORMAL) {
    layout.hasNormal = true;
    layout.normalOffset = offset;
    offset += 12;
  }
  if (fvf & D3DFVF_DIFFUSE) {
    layout.hasDiffuse = true;
    layout.diffuseOffset = offset;
    offset += 4;
  }
  if (fvf & D3DFVF_SPECULAR) {
    layout.hasSpecular = true;
    layout.specularOffset = offset;
    offset += 4;
  }
  layout.texCoordOffset = offset;
  layout.texCoordSets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  layout.size = offset + 8 * layout.texCoordSets;
  return layout;
}

void VertexFetch(const VertexLayout& layout, const BYTE* bytes, UINT texCoordSet,
                 FetchedVertex& vertex) {
  std::memcpy(vertex.position, bytes, (layout.transformed ? 4 : 3) * sizeof(float));
  if (layout.hasNormal) {
    std::memcpy(vertex.normal, bytes + layout.normalOffset, sizeof vertex.normal);
  }
  if (layout.hasDiffuse) {
    std::memcpy(&vertex.diffuse, bytes + layout.diffuseOffset, sizeof vertex.diffuse);
  }
  if (layout.hasSpecular) {
    std::memcpy(&vertex.specular, bytes + layout.specularOffset, sizeof vertex.specular);
  }
  if (texCoordSet < layout.texCoordSets) {
    std::memcpy(vertex.texCoord, bytes + layout.texCoordOffset + 8 * texCoordSet,
                sizeof vertex.texCoord);
  } else {
    vertex.texCoord[0] = vertex.texCoord[1] = 0.0f;
  }
}

}  // namespace d3d8sw
