// The process, memory, COM and message boxes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <unistd.h>

#include "platform/win32/stand_in.h"
#include "support/death_tests.h"
#include "support/program_restart.h"
#include "win32/recording_window.h"

namespace {

TEST(ProcessTest, TheProgramHasAModuleHandle) {
  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(GetModuleHandleA("other.dll"), nullptr);
}

TEST(ProcessTest, ExitProcessFlushesTheStandardStreamsAndEndsWithTheCode) {
  EXPECT_EXIT(
      {
        // Standard output goes where the death test listens, buffered as into any pipe.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        std::printf("buffered ");
        std::cout << "and streamed";
        ExitProcess(3);
      },
      ::testing::ExitedWithCode(3), "buffered and streamed");
}

TEST(LocalMemoryTest, ZeroInitialisedBlocksAreZeroAndWhatCannotBeHadIsNull) {
  constexpr size_t Size = 4096;
  auto* block = static_cast<unsigned char*>(LocalAlloc(LPTR, Size));
  ASSERT_NE(block, nullptr);
  for (size_t i = 0; i < Size; ++i) ASSERT_EQ(block[i], 0) << i;
  EXPECT_EQ(LocalFree(block), nullptr);
  EXPECT_EQ(LocalAlloc(LPTR, SIZE_MAX / 2), nullptr);
  EXPECT_EQ(LocalAlloc(LMEM_MOVEABLE, 16), nullptr) << "moveable blocks are not offered";
}

TEST(ComTest, CoInitializeCountsItsCalls) {
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitialize(nullptr), S_OK) << "balanced calls start over";
  CoUninitialize();
}

TEST(MessageBoxTest, WritesCaptionAndTextAsOneLineOnStandardError) {
  if (const std::string missing = ProgramRestartMissing(); !missing.empty())
    GTEST_SKIP() << missing;
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      std::exit(MessageBoxA(nullptr, "Device pointer is NULL", "Error", MB_OK) == IDOK ? 0 : 1),
      ::testing::ExitedWithCode(0), "^Error: Device pointer is NULL\n$");
}

TEST(NoDisplayTest, CallsFailAsWindowsWouldAfterSayingWhyOnce) {
  if (const std::string missing = ProgramRestartMissing(); !missing.empty())
    GTEST_SKIP() << missing;
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
        const bool failed = CreateWindowExA(0, RecordingClass(), "", 0, 0, 0, 640, 480, nullptr,
                                            nullptr, nullptr, nullptr) == nullptr;
        win32sw::DisplayModeInfo mode;
        const bool noMode = !win32sw::DisplayModeQuery(mode);
        const bool boxed =
            MessageBoxA(nullptr, "Unable to create a Direct3D device", nullptr, MB_OK) == IDOK;
        std::exit(failed && noMode && boxed ? 0 : 1);
      },
      ::testing::ExitedWithCode(0),
      "^No display available: [^\n]+\nError: Unable to create a Direct3D device\n$");
}

}  // namespace
