#include "bench/inputs/BandedPng.h"

#include <zlib.h>

#include <array>
#include <stdexcept>
#include <string>

namespace quillora::bench {
namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Appends a chunk: length, type, data and the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::vector<std::uint8_t>& data) {
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
  PutU32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> BandedPng(int width, int height) {
  if (width < 1 || width > 65535 || height < 1 || height > 65535)
    throw std::invalid_argument("picture side outside 1..65535: " + std::to_string(width) + " x " +
                                std::to_string(height));
  const std::size_t stride = 1 + 3 * static_cast<std::size_t>(width);  // filter byte + RGB
  std::vector<std::uint8_t> raw(stride * static_cast<std::size_t>(height));
  constexpr std::array<std::uint8_t, 3> kRose{0xD8, 0xA7, 0xB1}, kIvory{0xFF, 0xFF, 0xF0};
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = raw.data() + stride * static_cast<std::size_t>(y);
    row[0] = 0;  // no filter
    for (int x = 0; x < width; ++x) {
      const auto& colour = ((x + y) / 64) % 2 ? kRose : kIvory;
      std::copy(colour.begin(), colour.end(), row + 1 + 3 * static_cast<std::size_t>(x));
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_SPEED) != Z_OK)
    throw std::runtime_error("zlib could not compress the picture's rows");
  packed.resize(packedSize);

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutU32(header, static_cast<std::uint32_t>(width));
  PutU32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter method, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace quillora::bench
