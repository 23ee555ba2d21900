// The cube's picture: a mountain landscape at dusk, 256 by 256 pixels of raw 24-bit RGB
// (red, green, blue bytes), top row first. The sun sets on the left and the peaks rise on the
// right, so a viewer sees at once which way up the picture is and whether it is mirrored.
#ifndef VELKOR_TOOLS_LANDSCAPE_H
#define VELKOR_TOOLS_LANDSCAPE_H

#include <cstdint>
#include <vector>

constexpr int LandscapeSize = 256;
constexpr int LandscapeBytes = LandscapeSize * LandscapeSize * 3;

std::vector<std::uint8_t> LandscapePaint();

#endif
