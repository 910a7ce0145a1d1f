#include "workbook/core/BmpFile.h"

#include <stdexcept>

namespace quillora {
namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const std::uint8_t* rows, int width, int height, std::ptrdiff_t stride) {
  // Each row of the file is padded to a multiple of four bytes; the whole file must stay
  // addressable by the header's 32-bit size.
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
    throw std::invalid_argument("A bitmap needs between 1 and 32767 pixels on each side");
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  constexpr std::uint32_t kHeaderBytes = 14 + 40;

  std::vector<std::uint8_t> out;
  out.reserve(kHeaderBytes + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put(out, kHeaderBytes + pixelBytes, 4);
  Put(out, 0, 4);             // reserved
  Put(out, kHeaderBytes, 4);  // offset of the pixels
  Put(out, 40, 4);            // BITMAPINFOHEADER
  Put(out, static_cast<std::uint32_t>(width), 4);
  Put(out, static_cast<std::uint32_t>(height), 4);  // positive: bottom row first
  Put(out, 1, 2);                                   // planes
  Put(out, 24, 2);                                  // bits per pixel
  Put(out, 0, 4);                                   // BI_RGB, uncompressed
  Put(out, pixelBytes, 4);
  Put(out, 3780, 4);  // 96 dpi, in pixels per metre
  Put(out, 3780, 4);
  Put(out, 0, 4);  // colours used
  Put(out, 0, 4);  // important colours

  out.resize(kHeaderBytes + pixelBytes);
  std::uint8_t* target = out.data() + kHeaderBytes;
  for (int y = height - 1; y >= 0; --y, target += rowBytes) {
    const std::uint8_t* pixel = rows + stride * y;
    std::uint8_t* to = target;
    for (int x = 0; x < width; ++x, pixel += 4, to += 3) {
      to[0] = pixel[0];
      to[1] = pixel[1];
      to[2] = pixel[2];
    }
  }
  return out;
}

}  // namespace quillora
