// Runs a test in a fresh, empty directory of its own, where the program looks for its image
// file, and returns to where it was afterwards.
#ifndef VELKOR_TESTS_SUPPORT_WORKING_DIRECTORY_H
#define VELKOR_TESTS_SUPPORT_WORKING_DIRECTORY_H

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

class ScratchWorkingDirectory {
 public:
  ScratchWorkingDirectory() : previous_(std::filesystem::current_path()) {
    // A name no other run holds: create_directory answers false for one that exists.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      directory_ = std::filesystem::temp_directory_path() / ("velkor-" + std::to_string(random()));
      if (std::filesystem::create_directory(directory_)) {
        std::filesystem::current_path(directory_);
        return;
      }
    }
    throw std::runtime_error("no scratch directory could be made");
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
