// Writes the cube's picture to the path given as the only argument. The file appears complete
// or not at all: the bytes go to a temporary file beside it, which is renamed into place.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "landscape.h"

namespace {

bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int savedErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written) errno = savedErrno;
  return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.raw\n", argc > 0 ? argv[0] : "texture_generator");
    return 2;
  }
  const std::string path = argv[1];
  const std::string partial = path + ".part";
  if (!WriteAll(partial, LandscapePaint()) || std::rename(partial.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(partial.c_str());
    std::fprintf(stderr, "texture_generator: cannot write %s: %s\n", path.c_str(),
                 std::strerror(error));
    return 1;
  }
  return 0;
}
