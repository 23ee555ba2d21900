// Writing the files the build generates: each appears complete or not at all, so that an
// interrupted build never leaves a truncated file that looks up to date.
#ifndef VELKOR_TOOLS_FILE_OUTPUT_H
#define VELKOR_TOOLS_FILE_OUTPUT_H

#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes to a temporary file beside the path and renames it into place. On failure
// nothing is left behind and errno says why.
bool FileWriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes);

#endif
