// Reading files through CreateFileA, ReadFile and CloseHandle.
#include <gtest/gtest.h>

#include <windows.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/death_tests.h"

namespace {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velkor-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory = pattern;
    // Open to everyone, so only a file's own mode can make it unreadable.
    chmod(directory.c_str(), 0755);
  }
  void TearDown() override { std::system(("rm -rf '" + directory + "'").c_str()); }

  std::string Write(const std::string& name, const std::string& contents) {
    const std::string path = directory + "/" + name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }

  static HANDLE Open(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  }

  // Reads `count` bytes and returns what came; `result` gets ReadFile's answer.
  static std::string Read(HANDLE file, DWORD count, BOOL& result) {
    std::string buffer(count, '\xAA');
    DWORD read = 12345;
    result = ReadFile(file, buffer.data(), count, &read, nullptr);
    EXPECT_LE(read, count);
    buffer.resize(read);
    return buffer;
  }

  std::string directory;
};

TEST_F(FilesTest, WhatCannotBeReadGivesTheInvalidHandle) {
  EXPECT_EQ(Open(directory + "/missing.raw"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(directory), INVALID_HANDLE_VALUE) << "a directory";
#ifndef __EMSCRIPTEN__  // the web build's file system in memory has no FIFOs
  ASSERT_EQ(mkfifo((directory + "/fifo").c_str(), 0644), 0);
  EXPECT_EQ(Open(directory + "/fifo"), INVALID_HANDLE_VALUE) << "not a file; must not hang";
#endif
  EXPECT_EQ(CreateFileA(Write("kept.raw", "data").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                        OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE)
      << "writing is not offered";
}

TEST_F(FilesTest, AFileWithoutReadPermissionGivesTheInvalidHandle) {
  const std::string path = Write("secret.raw", "hidden");
  chmod(path.c_str(), 0);
  // Root reads anything, so the check runs as nobody.
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(2);
        std::_Exit(Open(path) == INVALID_HANDLE_VALUE ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FilesTest, AnEmptyFileReadsAsItsEnd) {
  HANDLE file = Open(Write("empty.raw", ""));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  BOOL result = FALSE;
  EXPECT_EQ(Read(file, 16, result), "");
  EXPECT_TRUE(result);
  EXPECT_TRUE(CloseHandle(file));
}

TEST_F(FilesTest, ReadsGiveWhatIsThereUpToTheCountThenTheEnd) {
  const std::string contents = "0123456789";
  HANDLE file = Open(Write("ten.raw", contents));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  BOOL result = FALSE;
  EXPECT_EQ(Read(file, 4, result), "0123") << "longer than asked";
  EXPECT_TRUE(result);
  EXPECT_EQ(Read(file, 6, result), "456789") << "exactly what is left";
  EXPECT_TRUE(result);
  EXPECT_EQ(Read(file, 6, result), "") << "the end: TRUE with nothing";
  EXPECT_TRUE(result);
  EXPECT_TRUE(CloseHandle(file));

  file = Open(directory + "/ten.raw");
  EXPECT_EQ(Read(file, 100, result), contents) << "shorter than asked";
  EXPECT_TRUE(result);
  EXPECT_TRUE(CloseHandle(file));
}

TEST_F(FilesTest, AClosedOrForeignHandleIsRefused) {
  HANDLE file = Open(Write("one.raw", "1"));
  ASSERT_TRUE(CloseHandle(file));
  BOOL result = TRUE;
  Read(file, 1, result);
  EXPECT_FALSE(result);
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

}  // namespace
