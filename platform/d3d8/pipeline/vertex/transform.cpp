#include "platform/d3d8/pipeline/vertex/transform.h"

#include <cmath>

namespace d3d8sw {

namespace {

D3DMATRIX MatrixProduct(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX out;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      out.m[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c] +
                    a.m[r][3] * b.m[3][c];
    }
  }
  return out;
}

// Normals go through the inverse transpose so that they stay perpendicular to surfaces under
// non-uniform scale. A singular matrix keeps its own 3 by 3 part: there is no right answer.
void NormalMatrixBuild(const D3DMATRIX& m, float out[3][3]) {
  const float(&a)[4][4] = m.m;
  // Cofactors of the 3 by 3 part; the inverse transpose is cofactor / determinant.
  float cofactor[3][3];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
      cofactor[r][c] = a[r1][c1] * a[r2][c2] - a[r1][c2] * a[r2][c1];
    }
  }
  const float determinant =
      a[0][0] * cofactor[0][0] + a[0][1] * cofactor[0][1] + a[0][2] * cofactor[0][2];
  const bool singular = std::fabs(determinant) < 1e-30f;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) out[r][c] = singular ? a[r][c] : cofactor[r][c] / determinant;
  }
}

}  // namespace

VertexTransforms VertexTransformsBuild(const D3DMATRIX& world, const D3DMATRIX& view,
                                       const D3DMATRIX& projection) {
  VertexTransforms transforms;
  transforms.worldView = MatrixProduct(world, view);
  transforms.worldViewProjection = MatrixProduct(transforms.worldView, projection);
  NormalMatrixBuild(transforms.worldView, transforms.normalMatrix);
  return transforms;
}

void PointTransform(const D3DMATRIX& m, const float p[3], float out[4]) {
  for (int c = 0; c < 4; ++c) {
    out[c] = p[0] * m.m[0][c] + p[1] * m.m[1][c] + p[2] * m.m[2][c] + m.m[3][c];
  }
}

void AffinePointTransform(const D3DMATRIX& m, const float p[3], float out[3]) {
  for (int c = 0; c < 3; ++c) {
    out[c] = p[0] * m.m[0][c] + p[1] * m.m[1][c] + p[2] * m.m[2][c] + m.m[3][c];
  }
}

void DirectionTransform(const D3DMATRIX& m, const float d[3], float out[3]) {
  for (int c = 0; c < 3; ++c) out[c] = d[0] * m.m[0][c] + d[1] * m.m[1][c] + d[2] * m.m[2][c];
}

void NormalTransform(const float normalMatrix[3][3], const float n[3], float out[3]) {
  for (int c = 0; c < 3; ++c) {
    out[c] = n[0] * normalMatrix[0][c] + n[1] * normalMatrix[1][c] + n[2] * normalMatrix[2][c];
  }
}

}  // namespace d3d8sw
