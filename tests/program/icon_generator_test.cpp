// Runs the icon generator the build uses, as the build runs it, and reads its files back: the
// PNGs the desktop's icon theme takes and the .ico the Windows executable carries.
#include <gtest/gtest.h>
#include <zlib.h>

#include <sys/wait.h>

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
using Bytes = std::vector<std::uint8_t>;

constexpr int Sides[] = {256, 48, 32, 16};

int GeneratorRun(const std::string& arguments, std::string& output) {
  const std::string command = "'" ICON_GENERATOR "' " + arguments + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Big32(const Bytes& bytes, std::size_t at) {
  return std::uint32_t(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
}

std::uint32_t Little32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

std::uint16_t Little16(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}

struct Image {
  int side = 0;
  Bytes rgba;
  const std::uint8_t* At(int x, int y) const { return &rgba[(y * side + x) * 4]; }
};

// A PNG as the generator writes it: 8-bit RGBA, rows filtered with "none" or "up". Anything
// else fails the test.
Image PngDecode(const Bytes& png) {
  static const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Image image;
  if (png.size() < 8 || !std::equal(signature.begin(), signature.end(), png.begin())) {
    ADD_FAILURE() << "not a PNG";
    return image;
  }
  Bytes packed;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = Big32(png, at);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    const uLong crc = crc32(0, png.data() + at + 4, length + 4);
    EXPECT_EQ(crc, Big32(png, at + 8 + length)) << "CRC of " << type;
    if (type == "IHDR") {
      image.side = Big32(png, at + 8);
      EXPECT_EQ(Big32(png, at + 12), Big32(png, at + 8)) << "not square";
      EXPECT_EQ(png[at + 16], 8);
      EXPECT_EQ(png[at + 17], 6) << "not RGBA";
    } else if (type == "IDAT") {
      packed.insert(packed.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    }
    at += 12 + length;
  }
  const std::size_t rowBytes = image.side * 4;
  Bytes filtered((rowBytes + 1) * image.side);
  uLongf size = filtered.size();
  EXPECT_EQ(uncompress(filtered.data(), &size, packed.data(), packed.size()), Z_OK);
  EXPECT_EQ(size, filtered.size());
  image.rgba.resize(rowBytes * image.side);
  for (int row = 0; row < image.side; ++row) {
    const std::uint8_t filter = filtered[row * (rowBytes + 1)];
    EXPECT_TRUE(filter == 0 || filter == 2) << "filter " << int(filter);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const std::uint8_t above = filter == 2 && row > 0 ? image.rgba[(row - 1) * rowBytes + i] : 0;
      image.rgba[row * rowBytes + i] = filtered[row * (rowBytes + 1) + 1 + i] + above;
    }
  }
  return image;
}

// Share of the image the cube covers, and the mean colour of what it covers.
struct Coverage {
  double share, r, g, b;
};

Coverage CoverageOf(const Image& image) {
  double alpha = 0, r = 0, g = 0, b = 0;
  for (int y = 0; y < image.side; ++y) {
    for (int x = 0; x < image.side; ++x) {
      const std::uint8_t* p = image.At(x, y);
      alpha += p[3], r += p[0] * p[3], g += p[1] * p[3], b += p[2] * p[3];
    }
  }
  return {alpha / (255.0 * image.side * image.side), r / alpha, g / alpha, b / alpha};
}

class IconGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/icon_generator_test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    std::string output;
    ASSERT_EQ(GeneratorRun("'" + folder.string() + "'", output), 0) << output;
  }
  void TearDown() override { fs::remove_all(folder); }

  Image Png(int side) const {
    return PngDecode(ReadBytes(folder / ("velkor-" + std::to_string(side) + ".png")));
  }

  fs::path folder;
};

TEST_F(IconGeneratorTest, EachSizeShowsTheSameTexturedCubeOnATransparentBackground) {
  const Image large = Png(256);
  const Coverage reference = CoverageOf(large);
  // A cube seen from above a corner fills a good part of its square, never all of it.
  EXPECT_GT(reference.share, 0.5);
  EXPECT_LT(reference.share, 0.8);
  for (int side : Sides) {
    SCOPED_TRACE(side);
    const Image image = Png(side);
    ASSERT_EQ(image.side, side);
    for (int corner : {0, side - 1}) {
      EXPECT_EQ(image.At(corner, 0)[3], 0);
      EXPECT_EQ(image.At(corner, side - 1)[3], 0);
    }
    EXPECT_EQ(image.At(side / 2, side / 2)[3], 255);
    // The small sizes are the large one shrunk: the same outline and the same colours.
    const Coverage coverage = CoverageOf(image);
    EXPECT_NEAR(coverage.share, reference.share, 0.03);
    EXPECT_NEAR(coverage.r, reference.r, 4);
    EXPECT_NEAR(coverage.g, reference.g, 4);
    EXPECT_NEAR(coverage.b, reference.b, 4);
  }
  // The picture is on the faces: a plain cube would show a handful of colours.
  std::vector<bool> seen(1 << 24);
  int colours = 0;
  for (int i = 0; i < 256 * 256; ++i) {
    const std::uint8_t* p = &large.rgba[i * 4];
    const int colour = p[0] << 16 | p[1] << 8 | p[2];
    if (p[3] == 255 && !seen[colour]) seen[colour] = true, ++colours;
  }
  EXPECT_GT(colours, 2000);
}

TEST_F(IconGeneratorTest, WindowsIconHoldsEverySizeAsWindowsReadsThem) {
  const Bytes ico = ReadBytes(folder / "velkor.ico");
  ASSERT_GE(ico.size(), 6u + 4 * 16);
  EXPECT_EQ(Little16(ico, 0), 0);
  EXPECT_EQ(Little16(ico, 2), 1) << "not an icon";
  ASSERT_EQ(Little16(ico, 4), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(Sides[i]);
    const std::size_t entry = 6 + 16 * i;
    const int side = Sides[i];
    EXPECT_EQ(ico[entry], side % 256);  // 0 stands for 256
    EXPECT_EQ(ico[entry + 1], side % 256);
    EXPECT_EQ(Little16(ico, entry + 6), 32);
    const std::uint32_t size = Little32(ico, entry + 8), offset = Little32(ico, entry + 12);
    ASSERT_LE(std::uint64_t(offset) + size, ico.size());
    const Bytes data(ico.begin() + offset, ico.begin() + offset + size);
    const Image png = Png(side);
    if (side == 256) {
      EXPECT_TRUE(data == ReadBytes(folder / "velkor-256.png")) << "not the 256 PNG";
      continue;
    }
    // A bitmap: header, colours (BGRA, bottom row first), then the mask, set where the image
    // is transparent.
    ASSERT_EQ(Little32(data, 0), 40u);
    EXPECT_EQ(Little32(data, 4), std::uint32_t(side));
    EXPECT_EQ(Little32(data, 8), std::uint32_t(side * 2));
    EXPECT_EQ(Little16(data, 14), 32);
    const std::size_t maskRow = (side + 31) / 32 * 4;
    ASSERT_EQ(data.size(), 40 + side * side * 4 + maskRow * side);
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const std::uint8_t* bgra = &data[40 + ((side - 1 - y) * side + x) * 4];
        const std::uint8_t* rgba = png.At(x, y);
        ASSERT_TRUE(bgra[0] == rgba[2] && bgra[1] == rgba[1] && bgra[2] == rgba[0] &&
                    bgra[3] == rgba[3])
            << "pixel " << x << ", " << y;
        const bool masked =
            data[40 + side * side * 4 + (side - 1 - y) * maskRow + x / 8] & (0x80 >> x % 8);
        ASSERT_EQ(masked, rgba[3] == 0) << "mask at " << x << ", " << y;
      }
    }
  }
}

TEST(IconGeneratorFailureTest, FailsClearly) {
  std::string output;
  EXPECT_EQ(GeneratorRun("/nonexistent/folder", output), 1);
  EXPECT_NE(output.find("cannot write /nonexistent/folder/velkor-256.png"), std::string::npos)
      << output;
  output.clear();
  EXPECT_EQ(GeneratorRun("", output), 2);
  EXPECT_NE(output.find("usage"), std::string::npos) << output;
}

}  // namespace
