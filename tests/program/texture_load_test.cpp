#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "doubles/memory_texture.h"
#include "doubles/recording_device.h"
#include "scene/scene.h"
#include "support/working_directory.h"

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

namespace {

constexpr size_t ImageBytes = 256 * 256 * 3;
constexpr size_t RowBytes = 256 * 3;

// Each test runs in a directory of its own, where the image file may or may not exist.
class TextureLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Device = &device;
    device.textureToCreate = &texture;
  }
  void TearDown() override {
    Device = nullptr;
    CubeTexture = nullptr;
    CubeTextureLock = {};
  }

  static void ImageWrite(const std::vector<BYTE>& bytes) {
    std::ofstream("mad040.raw", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  // A byte pattern where every pixel of every row differs from its neighbours.
  static std::vector<BYTE> Pattern(size_t size) {
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<BYTE>((i * 7 + i / RowBytes) & 0xFF);
    return bytes;
  }

  // TextureLoad, keeping what it wrote on stderr.
  IDirect3DTexture8* TextureLoadCaptured() {
    ::testing::internal::CaptureStderr();
    IDirect3DTexture8* result = TextureLoad();
    errors = ::testing::internal::GetCapturedStderr();
    return result;
  }

  // The texel (x, y) as it lies in memory: blue, green, red, alpha.
  std::vector<BYTE> Texel(int x, int y) const {
    const BYTE* p = texture.bytes.data() + y * texture.pitch + x * 4;
    return {p[0], p[1], p[2], p[3]};
  }
  // The texel a pixel of the image must become.
  static std::vector<BYTE> Converted(const std::vector<BYTE>& image, size_t row, int x) {
    const BYTE* s = image.data() + row * RowBytes + x * 3;
    return {s[2], s[1], s[0], 0xFF};
  }

  ScratchWorkingDirectory workingDirectory;
  RecordingDevice device;
  MemoryTexture texture{256, 256, 1024, 0xAB};
  std::string errors;
};

TEST_F(TextureLoadTest, PixelsBecomeOpaqueBlueGreenRedTexels) {
  std::vector<BYTE> image = Pattern(ImageBytes);
  image[0] = 10;
  image[1] = 20;
  image[2] = 30;
  ImageWrite(image);
  ASSERT_EQ(TextureLoadCaptured(), &texture);
  EXPECT_EQ(CubeTexture, &texture);
  EXPECT_THAT(errors, IsEmpty());
  EXPECT_THAT(Texel(0, 0), ElementsAre(30, 20, 10, 255));
  for (int y : {0, 1, 128, 255}) {
    for (int x : {1, 77, 255}) EXPECT_EQ(Texel(x, y), Converted(image, y, x)) << x << ", " << y;
  }
}

TEST_F(TextureLoadTest, TheFilledTextureIsBoundToStageZeroWithItsStates) {
  ImageWrite(Pattern(ImageBytes));
  ASSERT_EQ(TextureLoadCaptured(), &texture);
  // Made, filled through one lock of its top level, and bound.
  EXPECT_THAT(texture.calls, ElementsAre("LockRect(0, ptr, null, 0)", "UnlockRect(0)"));
  EXPECT_THAT(device.calls,
              AllOf(Contains("CreateTexture(256, 256, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED)"),
                    Contains("SetTexture(0, ptr)")));
  EXPECT_EQ(device.textures[0], &texture);
  // Texture times lit colour, times four, filtered linearly both ways.
  EXPECT_THAT(device.stageStates[0],
              UnorderedElementsAre(Pair("D3DTSS_MINFILTER", "D3DTEXF_LINEAR"),
                                   Pair("D3DTSS_MAGFILTER", "D3DTEXF_LINEAR"),
                                   Pair("D3DTSS_COLOROP", "D3DTOP_MODULATE4X"),
                                   Pair("D3DTSS_COLORARG1", "D3DTA_TEXTURE"),
                                   Pair("D3DTSS_COLORARG2", "D3DTA_CURRENT")));
}

TEST_F(TextureLoadTest, PaddingPastEachRowIsLeftAlone) {
  MemoryTexture padded(256, 256, 1040, 0xAB);
  device.textureToCreate = &padded;
  ImageWrite(Pattern(ImageBytes));
  ASSERT_EQ(TextureLoadCaptured(), &padded);
  for (int y = 0; y < 256; ++y) {
    for (int b = 1024; b < 1040; ++b) ASSERT_EQ(padded.bytes[y * 1040 + b], 0xAB) << y;
  }
  EXPECT_EQ(padded.bytes[255 * 1040 + 1023], 0xFF);  // the last texel's alpha is written
}

TEST_F(TextureLoadTest, AnEmptyFileGivesBlackOpaqueTexels) {
  ImageWrite({});
  ASSERT_EQ(TextureLoadCaptured(), &texture);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) ASSERT_THAT(Texel(x, y), ElementsAre(0, 0, 0, 255));
  }
}

TEST_F(TextureLoadTest, AShortFileRepeatsWhatTheRowBufferLastHeld) {
  const std::vector<BYTE> image = Pattern(2 * RowBytes + 300);
  ImageWrite(image);
  ASSERT_EQ(TextureLoadCaptured(), &texture);
  EXPECT_EQ(Texel(5, 1), Converted(image, 1, 5));
  // Row 2 starts with the file's last 100 pixels and keeps row 1's remainder.
  EXPECT_EQ(Texel(0, 2), Converted(image, 2, 0));
  EXPECT_EQ(Texel(99, 2), Converted(image, 2, 99));
  EXPECT_EQ(Texel(100, 2), Converted(image, 1, 100));
  EXPECT_EQ(Texel(255, 2), Converted(image, 1, 255));
  for (int y = 3; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) ASSERT_EQ(Texel(x, y), Texel(x, 2)) << x << ", " << y;
  }
}

TEST_F(TextureLoadTest, ALongFileIsReadOnlyToTheImageSize) {
  std::vector<BYTE> image = Pattern(ImageBytes);
  std::vector<BYTE> longer = image;
  longer.resize(ImageBytes + 5000, 0xEE);
  ImageWrite(longer);
  ASSERT_EQ(TextureLoadCaptured(), &texture);
  for (int y : {254, 255}) {
    for (int x = 0; x < 256; ++x) ASSERT_EQ(Texel(x, y), Converted(image, y, x));
  }
}

TEST_F(TextureLoadTest, AMissingFileOrADirectoryIsReported) {
  ASSERT_EQ(TextureLoadCaptured(), nullptr);
  EXPECT_THAT(errors, HasSubstr("Error: Missing file: mad040.raw"));

  std::filesystem::create_directory("mad040.raw");
  ASSERT_EQ(TextureLoadCaptured(), nullptr);
  EXPECT_THAT(errors, HasSubstr("Error: Missing file: mad040.raw"));
  // The texture stays locked: the process ends right after.
  EXPECT_THAT(texture.calls, ElementsAre("LockRect(0, ptr, null, 0)", "LockRect(0, ptr, null, 0)"));
}

TEST_F(TextureLoadTest, CreationAndLockFailuresAreReported) {
  device.createTextureResult = D3DERR_OUTOFVIDEOMEMORY;
  device.textureToCreate = nullptr;
  EXPECT_EQ(TextureLoadCaptured(), nullptr);
  EXPECT_THAT(errors, HasSubstr("Error: Failed to create texture"));

  device.createTextureResult = D3D_OK;
  device.textureToCreate = &texture;
  texture.lockGivesNull = true;
  EXPECT_EQ(TextureLoadCaptured(), nullptr);
  EXPECT_THAT(errors, HasSubstr("Error: Failed to lock texture"));
}

}  // namespace
