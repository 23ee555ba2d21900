#include "file_output.h"

#include <cerrno>
#include <cstdio>

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

bool FileWriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string partial = path + ".part";
  if (WriteAll(partial, bytes) && std::rename(partial.c_str(), path.c_str()) == 0) return true;
  const int error = errno;
  std::remove(partial.c_str());
  errno = error;
  return false;
}
