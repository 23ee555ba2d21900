// Runs the texture generator the build uses, as the build runs it: a path in, a file out.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int Side = 256;
constexpr std::uintmax_t ImageBytes = 196608;

struct GeneratorRun {
  int exitCode;
  std::string output;
};

// Runs the generator with the given shell words; standard output and error are gathered.
GeneratorRun GeneratorRunWith(const std::string& arguments) {
  const std::string command = "'" TEXTURE_GENERATOR "' " + arguments + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, "popen failed"};
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

std::vector<unsigned char> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Mean difference per channel between each pixel and the one at (row, column) mapped through
// the mirror.
template <typename Mirror>
double MeanDifference(const std::vector<unsigned char>& image, Mirror mirror) {
  double total = 0;
  for (int row = 0; row < Side; ++row) {
    for (int column = 0; column < Side; ++column) {
      int mirroredRow = row, mirroredColumn = column;
      mirror(mirroredRow, mirroredColumn);
      for (int channel = 0; channel < 3; ++channel) {
        total += std::abs(image[(row * Side + column) * 3 + channel] -
                          image[(mirroredRow * Side + mirroredColumn) * 3 + channel]);
      }
    }
  }
  return total / (Side * Side * 3);
}

class TextureGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/texture_generator_test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }

  // Everything in the folder, to show that no partial file is left behind.
  std::vector<std::string> Contents() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder;
};

TEST_F(TextureGeneratorTest, WritesTheWholePictureTheSameEachTimeReplacingAStaleFile) {
  const fs::path first = folder / "first.raw", second = folder / "second.raw";
  std::ofstream(second) << "a stale, short image";

  const GeneratorRun firstRun = GeneratorRunWith(Quoted(first));
  const GeneratorRun secondRun = GeneratorRunWith(Quoted(second));

  EXPECT_EQ(firstRun.exitCode, 0) << firstRun.output;
  EXPECT_EQ(secondRun.exitCode, 0) << secondRun.output;
  EXPECT_EQ(fs::file_size(first), ImageBytes);
  EXPECT_EQ(fs::file_size(second), ImageBytes);
  EXPECT_TRUE(ReadBytes(first) == ReadBytes(second)) << "the pictures differ";
  EXPECT_EQ(Contents(), (std::vector<std::string>{"first.raw", "second.raw"}));
}

TEST_F(TextureGeneratorTest, PictureShowsWhichWayUpItIsAndWhetherItIsMirrored) {
  const fs::path image = folder / "mad040.raw";
  ASSERT_EQ(GeneratorRunWith(Quoted(image)).exitCode, 0);
  const std::vector<unsigned char> pixels = ReadBytes(image);
  ASSERT_EQ(pixels.size(), ImageBytes);

  // A picture that looked the same mirrored or upside down would hide the cube's orientation.
  const double leftRight =
      MeanDifference(pixels, [](int&, int& column) { column = Side - 1 - column; });
  const double topBottom = MeanDifference(pixels, [](int& row, int&) { row = Side - 1 - row; });
  EXPECT_GT(leftRight, 12.0);
  EXPECT_GT(topBottom, 12.0);
}

TEST_F(TextureGeneratorTest, FailsClearlyAndLeavesNothingBehind) {
  const fs::path missingFolder = folder / "missing" / "mad040.raw";
  const GeneratorRun intoMissingFolder = GeneratorRunWith(Quoted(missingFolder));
  EXPECT_NE(intoMissingFolder.exitCode, 0);
  EXPECT_NE(intoMissingFolder.output.find(missingFolder.string()), std::string::npos)
      << intoMissingFolder.output;

  // The target is a folder: the picture is written but cannot be renamed onto it.
  const fs::path occupied = folder / "occupied";
  fs::create_directory(occupied);
  const GeneratorRun ontoFolder = GeneratorRunWith(Quoted(occupied));
  EXPECT_NE(ontoFolder.exitCode, 0);
  EXPECT_NE(ontoFolder.output.find("cannot write"), std::string::npos) << ontoFolder.output;
  EXPECT_TRUE(fs::is_empty(occupied));
  EXPECT_EQ(Contents(), std::vector<std::string>{"occupied"});

  const GeneratorRun withoutPath = GeneratorRunWith("");
  EXPECT_NE(withoutPath.exitCode, 0);
  EXPECT_NE(withoutPath.output.find("usage"), std::string::npos) << withoutPath.output;
}

}  // namespace
