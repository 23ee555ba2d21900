#include "platform/d3d8/pipeline/vertex/vertex_format.h"

namespace d3d8sw {

namespace {

constexpr DWORD KnownBits =
    D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK;
constexpr DWORD MaxTextureSets = 8;

}  // namespace

bool VertexFormatSupported(DWORD fvf) {
  // Other bits (point size, blend weights, 1-, 3- or 4-D texture coordinates) make formats
  // this device does not draw.
  const DWORD textureSets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  if ((fvf & ~KnownBits) != 0 || textureSets > MaxTextureSets) return false;
  const DWORD position = fvf & D3DFVF_POSITION_MASK;
  if (position == D3DFVF_XYZRHW) return (fvf & D3DFVF_NORMAL) == 0;
  return position == D3DFVF_XYZ;
}

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

}  // namespace d3d8sw
