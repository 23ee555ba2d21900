// The file formats the icon ships in: PNG for the desktop's icon theme, and the Windows .ico
// that the executable's resources carry.
#ifndef VELKOR_TOOLS_ICON_FILES_H
#define VELKOR_TOOLS_ICON_FILES_H

#include <cstdint>
#include <vector>

#include "cube_icon.h"

std::vector<std::uint8_t> PngEncode(const IconImage& image);

// One .ico holding every image: the 256-pixel one as PNG, as Windows Vista and later read it,
// the others as 32-bit bitmaps with their transparency mask, which every Windows reads.
std::vector<std::uint8_t> IcoEncode(const std::vector<IconImage>& images);

#endif
