// Writes the cube's picture to the path given as the only argument.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "file_output.h"
#include "landscape.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.raw\n", argc > 0 ? argv[0] : "texture_generator");
    return 2;
  }
  if (!FileWriteWhole(argv[1], LandscapePaint())) {
    std::fprintf(stderr, "texture_generator: cannot write %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  return 0;
}
