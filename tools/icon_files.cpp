#include "icon_files.h"

#include <zlib.h>

#include <cstddef>
#include <stdexcept>
#include <string>

namespace {

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
}

void PutLittle16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(value & 0xFF);
  out.push_back(value >> 8);
}

void PutLittle32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back((value >> shift) & 0xFF);
}

void PutPngChunk(std::vector<std::uint8_t>& out, const char* type,
                 const std::vector<std::uint8_t>& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBig32(out, static_cast<std::uint32_t>(crc));
}

// The bitmap form of an icon image: a header, the colours bottom row first, then the mask,
// one bit a pixel, set where the image is fully transparent.
std::vector<std::uint8_t> BitmapEncode(const IconImage& image) {
  const int side = image.side;
  const int maskRowBytes = (side + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  PutLittle32(out, 40);
  PutLittle32(out, side);
  PutLittle32(out, side * 2);  // the colours and the mask, stacked
  PutLittle16(out, 1);
  PutLittle16(out, 32);
  PutLittle32(out, 0);  // uncompressed
  PutLittle32(out, side * side * 4 + maskRowBytes * side);
  for (int unused = 0; unused < 4; ++unused) PutLittle32(out, 0);
  for (int row = side - 1; row >= 0; --row) {
    for (int column = 0; column < side; ++column) {
      const std::uint8_t* pixel = &image.rgba[(row * side + column) * 4];
      out.insert(out.end(), {pixel[2], pixel[1], pixel[0], pixel[3]});
    }
  }
  for (int row = side - 1; row >= 0; --row) {
    std::vector<std::uint8_t> mask(maskRowBytes);
    for (int column = 0; column < side; ++column) {
      if (image.rgba[(row * side + column) * 4 + 3] == 0) mask[column / 8] |= 0x80 >> column % 8;
    }
    out.insert(out.end(), mask.begin(), mask.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> PngEncode(const IconImage& image) {
  const int side = image.side;
  // Each row starts with its filter: "up", the difference from the row above, which the
  // picture's smooth gradients compress well under.
  const std::size_t rowBytes = static_cast<std::size_t>(side) * 4;
  std::vector<std::uint8_t> filtered;
  for (int row = 0; row < side; ++row) {
    filtered.push_back(2);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const std::uint8_t above = row > 0 ? image.rgba[(row - 1) * rowBytes + i] : 0;
      filtered.push_back(static_cast<std::uint8_t>(image.rgba[row * rowBytes + i] - above));
    }
  }
  uLongf packedSize = compressBound(filtered.size());
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, filtered.data(), filtered.size(), 9) != Z_OK) {
    throw std::runtime_error("zlib cannot compress the image");
  }
  packed.resize(packedSize);

  std::vector<std::uint8_t> header;
  PutBig32(header, side);
  PutBig32(header, side);
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits a channel, RGBA, no interlace

  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutPngChunk(out, "IHDR", header);
  PutPngChunk(out, "IDAT", packed);
  PutPngChunk(out, "IEND", {});
  return out;
}

std::vector<std::uint8_t> IcoEncode(const std::vector<IconImage>& images) {
  std::vector<std::vector<std::uint8_t>> encoded;
  for (const IconImage& image : images) {
    encoded.push_back(image.side >= 256 ? PngEncode(image) : BitmapEncode(image));
  }
  std::vector<std::uint8_t> out;
  PutLittle16(out, 0);
  PutLittle16(out, 1);  // an icon, not a cursor
  PutLittle16(out, static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const std::uint8_t side = images[i].side >= 256 ? 0 : images[i].side;  // 0 means 256
    out.insert(out.end(), {side, side, 0, 0});
    PutLittle16(out, 1);
    PutLittle16(out, 32);
    PutLittle32(out, static_cast<std::uint32_t>(encoded[i].size()));
    PutLittle32(out, offset);
    offset += static_cast<std::uint32_t>(encoded[i].size());
  }
  for (const auto& bytes : encoded) out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}
