#include <gtest/gtest.h>

#include <cmath>

#include "math/vecmath.h"
#include "support/matrix_near.h"

namespace {

constexpr float Tolerance = 1e-6f;

// The point v moved by m (v * m with row vectors).
Vector3 PointTransformed(const Vector3& v, const Matrix4& m) {
  Vector3 out;
  out.x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
  out.y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
  out.z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
  return out;
}

::testing::AssertionResult VectorNear(const Vector3& actual, float x, float y, float z,
                                      float tolerance) {
  if (std::fabs(actual.x - x) <= tolerance && std::fabs(actual.y - y) <= tolerance &&
      std::fabs(actual.z - z) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not within "
         << tolerance << " of (" << x << ", " << y << ", " << z << ")";
}

// Builders must write all 16 elements, whatever the output held before.
Matrix4 Garbage() {
  Matrix4 m;
  for (auto& row : m.m) {
    for (float& e : row) e = 12345.0f;
  }
  return m;
}

const float Identity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

}  // namespace

TEST(Vectors, AddSubtractCrossAndTheirAliasing) {
  Vector3 a{1, 2, 3}, b{10, 20, 30}, out;
  EXPECT_TRUE(VectorNear(VecAdd(out, a, b), 11, 22, 33, 0));
  EXPECT_TRUE(VectorNear(VecSubtract(out, a, b), -9, -18, -27, 0));
  VecAdd(a, a, b);
  EXPECT_TRUE(VectorNear(a, 11, 22, 33, 0));
  VecSubtract(a, a, b);
  EXPECT_TRUE(VectorNear(a, 1, 2, 3, 0));

  Vector3 x{1, 0, 0}, y{0, 1, 0};
  EXPECT_TRUE(VectorNear(VecCross(out, x, y), 0, 0, 1, 0));
  EXPECT_TRUE(VectorNear(VecCross(out, y, x), 0, 0, -1, 0));
  EXPECT_TRUE(VectorNear(VecCross(out, Vector3{1, 2, 3}, Vector3{4, 5, 6}), -3, 6, -3, 0));
}

TEST(Vectors, DotSumsZFirst) {
  EXPECT_EQ(VecDot(Vector3{1, 2, 3}, Vector3{4, 5, 6}), 32.0f);
  // Summed x first this would lose the 1 to rounding and give 0.
  EXPECT_EQ(VecDot(Vector3{1, 1, 1}, Vector3{1, 1e8f, -1e8f}), 1.0f);
}

TEST(Vectors, NormalizeGivesUnitLengthAndNaNForZero) {
  Vector3 v{3, 4, 0};
  EXPECT_TRUE(VectorNear(VecNormalize(v, v), 0.6f, 0.8f, 0.0f, Tolerance));

  Vector3 zero{0, 0, 0}, out;
  VecNormalize(out, zero);
  EXPECT_TRUE(std::isnan(out.x));
  EXPECT_TRUE(std::isnan(out.y));
  EXPECT_TRUE(std::isnan(out.z));
}

TEST(Rotations, AngleZeroIsTheIdentity) {
  Matrix4 m = Garbage();
  EXPECT_TRUE(MatrixNear(MatRotationX(m, 0.0f).m, Identity, 0));
  m = Garbage();
  EXPECT_TRUE(MatrixNear(MatRotationY(m, 0.0f).m, Identity, 0));
  m = Garbage();
  EXPECT_TRUE(MatrixNear(MatRotationZ(m, 0.0f).m, Identity, 0));
}

TEST(Rotations, TurnAKnownPointByHandComputedValues) {
  const float angle = 0.52359878f;  // 30 degrees: cos = 0.8660254, sin = 0.5
  const Vector3 p{1, 2, 3};
  Matrix4 m = Garbage();

  // About X: y' = 2c - 3s, z' = 2s + 3c
  EXPECT_TRUE(VectorNear(PointTransformed(p, MatRotationX(m, angle)), 1, 0.2320508f, 3.5980762f,
                         Tolerance));
  // About Y: x' = c + 3s, z' = -s + 3c
  EXPECT_TRUE(VectorNear(PointTransformed(p, MatRotationY(m, angle)), 2.3660254f, 2, 2.0980762f,
                         Tolerance));
  // About Z: x' = c - 2s, y' = s + 2c
  EXPECT_TRUE(VectorNear(PointTransformed(p, MatRotationZ(m, angle)), -0.1339746f, 2.2320508f, 3,
                         Tolerance));

  // A quarter turn takes each axis to the next, as row vectors go.
  const float quarter = 1.5707964f;
  EXPECT_TRUE(
      VectorNear(PointTransformed(Vector3{0, 1, 0}, MatRotationX(m, quarter)), 0, 0, 1, Tolerance));
  EXPECT_TRUE(
      VectorNear(PointTransformed(Vector3{0, 0, 1}, MatRotationY(m, quarter)), 1, 0, 0, Tolerance));
  EXPECT_TRUE(
      VectorNear(PointTransformed(Vector3{1, 0, 0}, MatRotationZ(m, quarter)), 0, 1, 0, Tolerance));
}

TEST(Translation, MovesPointsByRowThree) {
  Matrix4 m = Garbage();
  MatTranslation(m, 4, 5, 6);
  const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {4, 5, 6, 1}};
  EXPECT_TRUE(MatrixNear(m.m, expected, 0));
  EXPECT_TRUE(VectorNear(PointTransformed(Vector3{1, 2, 3}, m), 5, 7, 9, 0));
}

TEST(Multiply, SumsEachElementLeftToRight) {
  Matrix4 a = {}, b = {}, out;
  a.m[0][0] = 1e8f;
  a.m[0][1] = 1.0f;
  a.m[0][2] = -1e8f;
  a.m[0][3] = 1.0f;
  for (int r = 0; r < 4; ++r) b.m[r][0] = 1.0f;
  MatMultiply(out, a, b);
  // ((1e8 + 1) - 1e8) + 1: the first 1 is lost to rounding, the second is not.
  EXPECT_EQ(out.m[0][0], 1.0f);
}

TEST(Multiply, OutputMayBeEitherInput) {
  Matrix4 w, s, expected;
  MatRotationX(w, 0.3f);
  MatTranslation(s, 1, 2, 3);
  const Matrix4 originalW = w, originalS = s;

  MatMultiply(expected, originalW, originalS);
  MatMultiply(w, w, s);
  EXPECT_TRUE(MatrixNear(w.m, expected.m, 0));

  MatMultiply(s, originalW, s);
  EXPECT_TRUE(MatrixNear(s.m, expected.m, 0));
}

TEST(Multiply, ProductAppliesTheLeftFactorFirst) {
  Matrix4 rotation, translation, product;
  MatRotationY(rotation, 0.7f);
  MatTranslation(translation, -0.5f, -0.5f, -3.5f);
  MatMultiply(product, rotation, translation);

  const Vector3 p{5, -5, 5};
  const Vector3 stepByStep = PointTransformed(PointTransformed(p, rotation), translation);
  const Vector3 composed = PointTransformed(p, product);
  EXPECT_TRUE(VectorNear(composed, stepByStep.x, stepByStep.y, stepByStep.z, 1e-5f));
}

TEST(LookAt, RightHandedCameraOnThePositiveZAxis) {
  Matrix4 view = Garbage();
  MatLookAtRH(view, Vector3{0, 0, 15}, Vector3{0, 0, 0}, Vector3{0, 1, 0});
  const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, -15, 1}};
  EXPECT_TRUE(MatrixNear(view.m, expected, 0));
}

TEST(LookAt, LeftHandedCameraLooksTheOtherWay) {
  Matrix4 view = Garbage();
  MatLookAtLH(view, Vector3{0, 0, 15}, Vector3{0, 0, 0}, Vector3{0, 1, 0});
  const float expected[4][4] = {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {0, 0, 15, 1}};
  EXPECT_TRUE(MatrixNear(view.m, expected, 0));
}

TEST(LookAt, PutsTheEyeAtTheOriginAndTheTargetOnTheViewAxis) {
  const Vector3 eye{3, 4, 12}, at{1, -2, 0}, up{0, 1, 0};
  const float distance = std::sqrt(4.0f + 36.0f + 144.0f);
  Matrix4 view;

  MatLookAtRH(view, eye, at, up);
  EXPECT_TRUE(VectorNear(PointTransformed(eye, view), 0, 0, 0, 1e-5f));
  EXPECT_TRUE(VectorNear(PointTransformed(at, view), 0, 0, -distance, 1e-5f));

  MatLookAtLH(view, eye, at, up);
  EXPECT_TRUE(VectorNear(PointTransformed(eye, view), 0, 0, 0, 1e-5f));
  EXPECT_TRUE(VectorNear(PointTransformed(at, view), 0, 0, distance, 1e-5f));
}

TEST(Perspective, RightHandedValuesForTheScene) {
  Matrix4 projection = Garbage();
  MatPerspectiveRH(projection, 1.0472f, 0.75f, 1.0f, 100.0f);
  EXPECT_NEAR(projection.m[0][0], 0.8660f, 1e-4f);
  EXPECT_NEAR(projection.m[1][1], 1.1547f, 1e-4f);
  EXPECT_NEAR(projection.m[2][2], -1.0101f, 1e-4f);
  EXPECT_NEAR(projection.m[3][2], -1.0101f, 1e-4f);
  EXPECT_EQ(projection.m[2][3], -1.0f);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const bool set = (r == c && r < 3) || (r == 2 && c == 3) || (r == 3 && c == 2);
      if (!set) {
        EXPECT_EQ(projection.m[r][c], 0.0f) << "element (" << r << ", " << c << ")";
      }
    }
  }
}

TEST(Perspective, LeftHandedDiffersOnlyInTheDepthColumn) {
  Matrix4 left = Garbage(), right;
  MatPerspectiveLH(left, 1.0472f, 0.75f, 1.0f, 100.0f);
  MatPerspectiveRH(right, 1.0472f, 0.75f, 1.0f, 100.0f);
  EXPECT_NEAR(left.m[2][2], 1.0101f, 1e-4f);
  EXPECT_EQ(left.m[2][3], 1.0f);
  EXPECT_EQ(left.m[3][2], right.m[3][2]);
  EXPECT_EQ(left.m[0][0], right.m[0][0]);
  EXPECT_EQ(left.m[1][1], right.m[1][1]);
  EXPECT_EQ(left.m[3][3], 0.0f);
}
