// Writes Velkor's icon into the folder given as the only argument: velkor-SIDE.png for each
// side the desktop's icon theme takes, and velkor.ico with all of them for Windows. The large
// icon is drawn, the small ones are shrunk from it.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cube_icon.h"
#include "file_output.h"
#include "icon_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argc > 0 ? argv[0] : "icon_generator");
    return 2;
  }
  const std::string folder = argv[1];
  const IconImage large = CubeIconPaint(256);
  std::vector<IconImage> images{large};
  for (int side : {48, 32, 16}) images.push_back(IconImageShrink(large, side));

  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  for (const IconImage& image : images) {
    files.emplace_back(folder + "/velkor-" + std::to_string(image.side) + ".png", PngEncode(image));
  }
  files.emplace_back(folder + "/velkor.ico", IcoEncode(images));
  for (const auto& [path, bytes] : files) {
    if (!FileWriteWhole(path, bytes)) {
      std::fprintf(stderr, "icon_generator: cannot write %s: %s\n", path.c_str(),
                   std::strerror(errno));
      return 1;
    }
  }
  return 0;
}
