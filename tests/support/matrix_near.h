// 4 by 4 matrices compared element by element: a Matrix4's or a D3DMATRIX's `m` against
// values a test writes out.
#ifndef VELKOR_TESTS_SUPPORT_MATRIX_NEAR_H
#define VELKOR_TESTS_SUPPORT_MATRIX_NEAR_H

#include <gtest/gtest.h>

#include <cmath>

// Whether every element of `actual` lies within `tolerance` of `expected`'s (0: equal).
inline ::testing::AssertionResult MatrixNear(const float (&actual)[4][4],
                                             const float (&expected)[4][4], float tolerance) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (!(std::fabs(actual[r][c] - expected[r][c]) <= tolerance)) {
        return ::testing::AssertionFailure() << "element (" << r << ", " << c << ") is "
                                             << actual[r][c] << ", not " << expected[r][c];
      }
    }
  }
  return ::testing::AssertionSuccess();
}

#endif
