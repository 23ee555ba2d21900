// Runs a test in a fresh, empty directory of its own, where the program looks for its image
// file, and returns to where it was afterwards.
#ifndef VELKOR_TESTS_WORKING_DIRECTORY_H
#define VELKOR_TESTS_WORKING_DIRECTORY_H

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

class ScratchWorkingDirectory {
 public:
  ScratchWorkingDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velkor-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    std::filesystem::current_path(directory_);
  }
  ~ScratchWorkingDirectory() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(directory_);
  }
  ScratchWorkingDirectory(const ScratchWorkingDirectory&) = delete;
  ScratchWorkingDirectory& operator=(const ScratchWorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_, directory_;
};

#endif
