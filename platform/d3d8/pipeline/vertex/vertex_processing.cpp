#include "platform/d3d8/pipeline/vertex/vertex_processing.h"

#include <algorithm>

#include "platform/d3d8/pipeline/vertex/lighting.h"
#include "platform/d3d8/pipeline/vertex/transform.h"
#include "platform/d3d8/pipeline/vertex/vertex_fetch.h"

namespace d3d8sw {

namespace {

// The pipeline carries one set of texture coordinates: the one the first stage that samples a
// texture names (the low bits of D3DTSS_TEXCOORDINDEX; the high ones ask for generated
// coordinates, which the device does not make).
UINT TexCoordSetUsed(const PipelineState& state) {
  for (int s = 0; s < TextureStageCount; ++s) {
    const DWORD* ts = state.stageStates[s];
    if (ts[D3DTSS_COLOROP] == D3DTOP_DISABLE) break;
    if (state.textures[s] != nullptr) return ts[D3DTSS_TEXCOORDINDEX] & 0xFFFF;
  }
  return 0;
}

}  // namespace

void VerticesProcess(const PipelineState& state, const VertexLayout& layout, const BYTE* vertices,
                     UINT stride, UINT count, std::vector<ClipVertex>& out) {
  const VertexTransforms transforms =
      VertexTransformsBuild(state.world, state.view, state.projection);
  LightingSetup lighting = LightingSetupBuild(state);
  lighting.enabled = lighting.enabled && !layout.transformed;
  const UINT texCoordSet = TexCoordSetUsed(state);
  out.resize(count);
  FetchedVertex fetched = {};
  for (UINT i = 0; i < count; ++i) {
    VertexFetch(layout, vertices + static_cast<size_t>(i) * stride, texCoordSet, fetched);
    ClipVertex& vertex = out[i];
    float cameraPosition[3] = {}, cameraNormal[3] = {};
    if (layout.transformed) {
      std::copy(fetched.position, fetched.position + 4, vertex.position);
    } else {
      PointTransform(transforms.worldViewProjection, fetched.position, vertex.position);
      if (lighting.enabled) {
        AffinePointTransform(transforms.worldView, fetched.position, cameraPosition);
        if (layout.hasNormal)
          NormalTransform(transforms.normalMatrix, fetched.normal, cameraNormal);
      }
    }
    VertexLight(lighting, layout, fetched, cameraPosition, cameraNormal, vertex.diffuse,
                vertex.specular);
    vertex.texCoord[0] = fetched.texCoord[0];
    vertex.texCoord[1] = fetched.texCoord[1];
  }
}

}  // namespace d3d8sw
