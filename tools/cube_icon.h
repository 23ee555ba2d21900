// Velkor's icon: the cube wearing its picture, seen from above one corner with three faces lit
// differently, on a transparent background.
#ifndef VELKOR_TOOLS_CUBE_ICON_H
#define VELKOR_TOOLS_CUBE_ICON_H

#include <cstdint>
#include <vector>

// A square image of 8-bit RGBA pixels (straight, not premultiplied alpha), top row first.
struct IconImage {
  int side;
  std::vector<std::uint8_t> rgba;
};

// The icon drawn at the given side in pixels.
IconImage CubeIconPaint(int side);

// The image scaled down to the given side, each pixel the area-weighted mean of the pixels it
// covers, so that the small sizes keep the large one's shapes without jagged edges.
IconImage IconImageShrink(const IconImage& image, int side);

#endif
