// The fixed-function transforms: object space to camera space and to clip space, with row
// vectors (v' = v * M).
#ifndef VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_TRANSFORM_H
#define VELKOR_PLATFORM_D3D8_PIPELINE_VERTEX_TRANSFORM_H

#include <d3d8.h>

namespace d3d8sw {

struct VertexTransforms {
  D3DMATRIX worldView;
  D3DMATRIX worldViewProjection;
  float normalMatrix[3][3];  // inverse transpose of worldView's upper 3 by 3
};

VertexTransforms VertexTransformsBuild(const D3DMATRIX& world, const D3DMATRIX& view,
                                       const D3DMATRIX& projection);

// [p 1] * m, all four components.
void PointTransform(const D3DMATRIX& m, const float p[3], float out[4]);
// [p 1] * m without the fourth column: the point in an affine (world or camera) space.
void AffinePointTransform(const D3DMATRIX& m, const float p[3], float out[3]);
// [d 0] * m: a direction, unaffected by translation.
void DirectionTransform(const D3DMATRIX& m, const float d[3], float out[3]);
void NormalTransform(const float normalMatrix[3][3], const float n[3], float out[3]);

}  // namespace d3d8sw

#endif
