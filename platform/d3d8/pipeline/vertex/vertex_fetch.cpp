#include "platform/d3d8/pipeline/vertex/vertex_fetch.h"

#include <cstring>

namespace d3d8sw {

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
