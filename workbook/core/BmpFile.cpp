#include "workbook/core/BmpFile.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace quillora {
namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Load(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, 4);
  return value;
}

void Store(std::uint8_t* at, std::uint32_t value) { std::memcpy(at, &value, 4); }

// One row of 32-bit pixels as 24-bit ones: four pixels at a time become three words.
void PackRow(const std::uint8_t* pixel, int width, std::uint8_t* to) {
  int x = 0;
  for (; x + 4 <= width; x += 4, pixel += 16, to += 12) {
    const std::uint32_t a = Load(pixel), b = Load(pixel + 4), c = Load(pixel + 8), d = Load(pixel + 12);
    Store(to, (a & 0xFFFFFF) | (b << 24));
    Store(to + 4, ((b >> 8) & 0xFFFF) | (c << 16));
    Store(to + 8, ((c >> 16) & 0xFF) | (d << 8));
  }
  for (; x < width; ++x, pixel += 4, to += 3) std::memcpy(to, pixel, 3);
}

std::uint32_t Read(std::span<const std::uint8_t> file, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(file[at + static_cast<std::size_t>(i)]) << (8 * i);
  return value;
}

}  // namespace

std::optional<Bitmap24> ReadBitmap24(std::span<const std::uint8_t> file) {
  constexpr std::size_t kFileHeader = 14, kMinInfoHeader = 40;
  if (file.size() < kFileHeader + kMinInfoHeader || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const std::uint32_t offset = Read(file, 10, 4), infoSize = Read(file, 14, 4);
  const auto width = static_cast<std::int32_t>(Read(file, 18, 4));
  const auto height = static_cast<std::int32_t>(Read(file, 22, 4));
  const std::uint32_t planes = Read(file, 26, 2), bits = Read(file, 28, 2), compression = Read(file, 30, 4);
  if (infoSize < kMinInfoHeader || planes != 1 || bits != 24 || compression != 0) return std::nullopt;
  if (width <= 0 || width > 32767 || height == 0 || height < -32767 || height > 32767) return std::nullopt;
  Bitmap24 bitmap;
  bitmap.width = width;
  bitmap.height = height < 0 ? -height : height;
  bitmap.bottomUp = height > 0;
  bitmap.rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t need = bitmap.rowBytes * static_cast<std::size_t>(bitmap.height);
  if (offset < kFileHeader + infoSize || offset > file.size() || file.size() - offset < need) return std::nullopt;
  bitmap.pixels = file.data() + offset;
  return bitmap;
}

void UnpackRow24(const std::uint8_t* from, int width, std::uint8_t* to) {
  int x = 0;
  // Four pixels at a time: three words in, four out.
  for (; x + 4 <= width; x += 4, from += 12, to += 16) {
    const std::uint32_t a = Load(from), b = Load(from + 4), c = Load(from + 8);
    Store(to, a | 0xFF000000u);
    Store(to + 4, (a >> 24) | (b << 8) | 0xFF000000u);
    Store(to + 8, (b >> 16) | (c << 16) | 0xFF000000u);
    Store(to + 12, (c >> 8) | 0xFF000000u);
  }
  for (; x < width; ++x, from += 3, to += 4) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
    to[3] = 0xFF;
  }
}

void WriteBmp(const std::uint8_t* rows, int width, int height, std::ptrdiff_t stride, const ByteSink& sink) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
    throw std::invalid_argument("A bitmap needs between 1 and 32767 pixels on each side");
  // Each row of the file is padded to a multiple of four bytes.
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  constexpr std::uint32_t kHeaderBytes = 14 + 40;

  std::vector<std::uint8_t> header;
  header.reserve(kHeaderBytes);
  header.push_back('B');
  header.push_back('M');
  Put(header, kHeaderBytes + pixelBytes, 4);
  Put(header, 0, 4);             // reserved
  Put(header, kHeaderBytes, 4);  // offset of the pixels
  Put(header, 40, 4);            // BITMAPINFOHEADER
  Put(header, static_cast<std::uint32_t>(width), 4);
  Put(header, static_cast<std::uint32_t>(height), 4);  // positive: bottom row first
  Put(header, 1, 2);                                   // planes
  Put(header, 24, 2);                                  // bits per pixel
  Put(header, 0, 4);                                   // BI_RGB, uncompressed
  Put(header, pixelBytes, 4);
  Put(header, 3780, 4);  // 96 dpi, in pixels per metre
  Put(header, 3780, 4);
  Put(header, 0, 4);  // colours used
  Put(header, 0, 4);  // important colours
  sink(header);

  const int rowsPerPiece = std::max(1, static_cast<int>((256u << 10) / rowBytes));
  // Zeroed once: the padding at the end of each row is never written.
  std::vector<std::uint8_t> piece(static_cast<std::size_t>(rowsPerPiece) * rowBytes, 0);
  for (int y = height - 1; y >= 0;) {
    const int count = std::min(rowsPerPiece, y + 1);
    for (int i = 0; i < count; ++i, --y)
      PackRow(rows + stride * y, width, piece.data() + static_cast<std::size_t>(i) * rowBytes);
    sink(std::span(piece.data(), static_cast<std::size_t>(count) * rowBytes));
  }
}

}  // namespace quillora
