#include "math/vecmath.h"

#include <cmath>

// The order of every sum below is deliberate: it decides the last bit of each result,
// and the build forbids contracting a*b+c into one fused operation.

namespace {

Matrix4 ProductScratch;
Vector3 AxisX, AxisY, AxisZ, AxisTemp;

Matrix4& MatZero(Matrix4& out) {
  for (auto& row : out.m) {
    for (float& element : row) element = 0.0f;
  }
  return out;
}

// Trigonometry is taken in double and rounded once, so that every C library gives the same
// float.
float Cosine(float angle) { return static_cast<float>(std::cos(static_cast<double>(angle))); }
float Sine(float angle) { return static_cast<float>(std::sin(static_cast<double>(angle))); }

// A turn by `angle` in the plane of axes `from` and `to`, taking `from` towards `to` (row
// `from` gains the sine in column `to`); the third axis and w stay as they are.
Matrix4& MatRotationPlane(Matrix4& out, float angle, int from, int to) {
  const float c = Cosine(angle), s = Sine(angle);
  MatZero(out);
  for (int i = 0; i < 4; ++i) out.m[i][i] = 1.0f;
  out.m[from][from] = c;
  out.m[to][to] = c;
  out.m[from][to] = s;
  out.m[to][from] = -s;
  return out;
}

// Rows 0 to 2 hold the axes as columns; row 3 moves the eye to the origin.
Matrix4& MatViewFromAxes(Matrix4& out, const Vector3& eye) {
  out.m[0][0] = AxisX.x;
  out.m[0][1] = AxisY.x;
  out.m[0][2] = AxisZ.x;
  out.m[0][3] = 0.0f;
  out.m[1][0] = AxisX.y;
  out.m[1][1] = AxisY.y;
  out.m[1][2] = AxisZ.y;
  out.m[1][3] = 0.0f;
  out.m[2][0] = AxisX.z;
  out.m[2][1] = AxisY.z;
  out.m[2][2] = AxisZ.z;
  out.m[2][3] = 0.0f;
  out.m[3][0] = -VecDot(AxisX, eye);
  out.m[3][1] = -VecDot(AxisY, eye);
  out.m[3][2] = -VecDot(AxisZ, eye);
  out.m[3][3] = 1.0f;
  return out;
}

// AxisTemp holds the unnormalised z axis on entry.
Matrix4& MatLookAtFromForward(Matrix4& out, const Vector3& eye, const Vector3& up) {
  VecNormalize(AxisZ, AxisTemp);
  VecCross(AxisTemp, up, AxisZ);
  VecNormalize(AxisX, AxisTemp);
  VecCross(AxisY, AxisZ, AxisX);
  return MatViewFromAxes(out, eye);
}

// Everything but the handedness-dependent m[2][2] and m[2][3].
Matrix4& MatPerspectiveCommon(Matrix4& out, float fov, float aspect, float zn, float zf) {
  const float half = fov * 0.5f;
  const float h =
      static_cast<float>(std::cos(static_cast<double>(half)) / std::sin(static_cast<double>(half)));
  const float w = h / aspect;
  MatZero(out);
  out.m[0][0] = 2.0f * zn / w;
  out.m[1][1] = 2.0f * zn / h;
  out.m[3][2] = zn * zf / (zn - zf);
  return out;
}

}  // namespace

Vector3& VecAdd(Vector3& out, const Vector3& a, const Vector3& b) {
  out.x = a.x + b.x;
  out.y = a.y + b.y;
  out.z = a.z + b.z;
  return out;
}

Vector3& VecSubtract(Vector3& out, const Vector3& a, const Vector3& b) {
  out.x = a.x - b.x;
  out.y = a.y - b.y;
  out.z = a.z - b.z;
  return out;
}

Vector3& VecCross(Vector3& out, const Vector3& a, const Vector3& b) {
  out.x = a.y * b.z - a.z * b.y;
  out.y = a.z * b.x - a.x * b.z;
  out.z = a.x * b.y - a.y * b.x;
  return out;
}

float VecDot(const Vector3& a, const Vector3& b) { return (a.z * b.z + a.y * b.y) + a.x * b.x; }

Vector3& VecNormalize(Vector3& out, const Vector3& v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  out.x = v.x / length;
  out.y = v.y / length;
  out.z = v.z / length;
  return out;
}

Matrix4& MatRotationX(Matrix4& out, float angle) { return MatRotationPlane(out, angle, 1, 2); }

Matrix4& MatRotationY(Matrix4& out, float angle) { return MatRotationPlane(out, angle, 2, 0); }

Matrix4& MatRotationZ(Matrix4& out, float angle) { return MatRotationPlane(out, angle, 0, 1); }

Matrix4& MatTranslation(Matrix4& out, float x, float y, float z) {
  MatZero(out);
  out.m[0][0] = 1.0f;
  out.m[1][1] = 1.0f;
  out.m[2][2] = 1.0f;
  out.m[3][3] = 1.0f;
  out.m[3][0] = x;
  out.m[3][1] = y;
  out.m[3][2] = z;
  return out;
}

void MatMultiply(Matrix4& out, const Matrix4& a, const Matrix4& b) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      ProductScratch.m[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] +
                               a.m[r][2] * b.m[2][c] + a.m[r][3] * b.m[3][c];
    }
  }
  out = ProductScratch;
}

Matrix4& MatLookAtLH(Matrix4& out, const Vector3& eye, const Vector3& at, const Vector3& up) {
  VecSubtract(AxisTemp, at, eye);
  return MatLookAtFromForward(out, eye, up);
}

Matrix4& MatLookAtRH(Matrix4& out, const Vector3& eye, const Vector3& at, const Vector3& up) {
  VecSubtract(AxisTemp, eye, at);
  return MatLookAtFromForward(out, eye, up);
}

Matrix4& MatPerspectiveLH(Matrix4& out, float fov, float aspect, float zn, float zf) {
  MatPerspectiveCommon(out, fov, aspect, zn, zf);
  out.m[2][2] = zf / (zf - zn);
  out.m[2][3] = 1.0f;
  return out;
}

Matrix4& MatPerspectiveRH(Matrix4& out, float fov, float aspect, float zn, float zf) {
  MatPerspectiveCommon(out, fov, aspect, zn, zf);
  out.m[2][2] = zf / (zn - zf);
  out.m[2][3] = -1.0f;
  return out;
}
