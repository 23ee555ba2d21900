// Velkor's own vector and matrix arithmetic. Row vectors: v' = v * M, translation in row 3.
// Routines write their first argument and return it; the library keeps shared scratch
// storage, so it is used from one thread only.
#ifndef VELKOR_MATH_VECMATH_H
#define VELKOR_MATH_VECMATH_H

struct Vector3 {
  float x, y, z;
};

// Element (r, c) is m[r][c], float number 4r + c: the layout Direct3D's D3DMATRIX has.
struct Matrix4 {
  float m[4][4];
};

Vector3& VecAdd(Vector3& out, const Vector3& a, const Vector3& b);
Vector3& VecSubtract(Vector3& out, const Vector3& a, const Vector3& b);
// out must be neither a nor b.
Vector3& VecCross(Vector3& out, const Vector3& a, const Vector3& b);
float VecDot(const Vector3& a, const Vector3& b);
// No guard for a zero length: the result is then NaN.
Vector3& VecNormalize(Vector3& out, const Vector3& v);

Matrix4& MatRotationX(Matrix4& out, float angle);
Matrix4& MatRotationY(Matrix4& out, float angle);
Matrix4& MatRotationZ(Matrix4& out, float angle);
Matrix4& MatTranslation(Matrix4& out, float x, float y, float z);
// out may be a or b: the product is formed in scratch storage first.
void MatMultiply(Matrix4& out, const Matrix4& a, const Matrix4& b);
Matrix4& MatLookAtLH(Matrix4& out, const Vector3& eye, const Vector3& at, const Vector3& up);
Matrix4& MatLookAtRH(Matrix4& out, const Vector3& eye, const Vector3& at, const Vector3& up);
Matrix4& MatPerspectiveLH(Matrix4& out, float fov, float aspect, float zn, float zf);
Matrix4& MatPerspectiveRH(Matrix4& out, float fov, float aspect, float zn, float zf);

#endif
