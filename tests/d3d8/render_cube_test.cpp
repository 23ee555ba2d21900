// The program's own scene and frame on the device: at spin angle 0 only the cube's z = +5 face
// shows, where its corners project by hand, with the texture mirrored left to right.
#include <gtest/gtest.h>

#include <cmath>

#include "support/program_scene.h"
#include "support/render_device.h"

namespace {

constexpr UINT Width = ProgramClientWidth, Height = ProgramClientHeight;
constexpr D3DCOLOR Red = 0x00FF0000, Green = 0x0000FF00, Blue = 0x000000FF, White = 0x00FFFFFF;

// A picture of four quadrants; full channels survive the lighting times four unchanged.
Picture Quadrants() {
  Picture picture;
  for (UINT y = 0; y < PictureSize; ++y) {
    for (UINT x = 0; x < PictureSize; ++x) {
      const D3DCOLOR colour = y < 128 ? (x < 128 ? Red : Green) : (x < 128 ? Blue : White);
      picture.insert(picture.end(), {static_cast<BYTE>(colour >> 16),
                                     static_cast<BYTE>(colour >> 8), static_cast<BYTE>(colour)});
    }
  }
  return picture;
}

// Where a corner of the face lands, from the documented transforms: the cube moved by
// (-0.5, -0.5, -3.5), the eye at z = 15 looking down -z, and a right-handed projection with
// m00 = 2 zn / w, m11 = 2 zn / h, h = cot(fov / 2), w = h / aspect, w' = -z.
struct ScreenPoint {
  double x, y;
};

ScreenPoint FaceCorner(double x, double y) {
  const double fov = 1.0472f, aspect = 0.75f, zn = 1.0;
  const double h = std::cos(fov / 2) / std::sin(fov / 2), w = h / aspect;
  const double depth = 15.0 - (5.0 - 3.5);  // distance in front of the eye
  const double nx = (2 * zn / w) * (x - 0.5) / depth, ny = (2 * zn / h) * (y - 0.5) / depth;
  return {(1 + nx) * Width / 2, (1 - ny) * Height / 2};
}

class CubeFrameTest : public ::testing::Test {
 protected:
  ProgramScene scene{Quadrants()};
};

TEST_F(CubeFrameTest, AtAngleZeroOnlyTheNearFaceShowsWithinItsProjectedOutline) {
  FrameRender();
  const BackBufferImage image = BackBufferRead(Device);
  ASSERT_EQ(image.width, Width);
  const ScreenPoint topLeft = FaceCorner(-5, 5), bottomRight = FaceCorner(5, -5);
  for (UINT y = 0; y < Height; ++y) {
    for (UINT x = 0; x < Width; ++x) {
      const bool inside =
          x > topLeft.x + 1 && x < bottomRight.x - 1 && y > topLeft.y + 1 && y < bottomRight.y - 1;
      const bool outside =
          x < topLeft.x - 1 || x > bottomRight.x + 1 || y < topLeft.y - 1 || y > bottomRight.y + 1;
      const bool drawn = (image.At(x, y) & 0xFFFFFF) != 0;
      if (inside) {
        ASSERT_TRUE(drawn) << "pixel " << x << ", " << y << " inside the face";
      }
      if (outside) {
        ASSERT_FALSE(drawn) << "pixel " << x << ", " << y << " outside the face";
      }
    }
  }
}

TEST_F(CubeFrameTest, TheFaceShowsTheTextureMirroredLeftToRight) {
  FrameRender();
  const BackBufferImage image = BackBufferRead(Device);
  ASSERT_EQ(image.width, Width);
  const ScreenPoint topLeft = FaceCorner(-5, 5), bottomRight = FaceCorner(5, -5);
  // A point a quarter of the way in from each corner of the face.
  auto at = [&](double fx, double fy) {
    return image.At(static_cast<UINT>(topLeft.x + fx * (bottomRight.x - topLeft.x)),
                    static_cast<UINT>(topLeft.y + fy * (bottomRight.y - topLeft.y))) &
           0xFFFFFF;
  };
  // Texture coordinate (0, 0) is at the face's top right, as seen: u runs right to left.
  EXPECT_EQ(at(0.75, 0.25), Red);
  EXPECT_EQ(at(0.25, 0.25), Green);
  EXPECT_EQ(at(0.75, 0.75), Blue);
  EXPECT_EQ(at(0.25, 0.75), White);
}

}  // namespace
