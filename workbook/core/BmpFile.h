#pragma once
// Writing a picture as a Windows bitmap file: 24 bits per pixel, uncompressed, rows bottom-up.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace quillora {

// Receives the file's bytes in order, a piece at a time.
using ByteSink = std::function<void(std::span<const std::uint8_t>)>;

// `rows` points at `height` rows of `width` pixels, each pixel four bytes in the order blue,
// green, red, unused (a 32-bit 0xAARRGGBB word on a little-endian machine); consecutive rows
// lie `stride` bytes apart. The file goes to `sink` in pieces of a few hundred kilobytes, so
// no copy of the whole picture is made. Throws std::invalid_argument for an empty or
// oversized picture; what `sink` throws passes through.
void WriteBmp(const std::uint8_t* rows, int width, int height, std::ptrdiff_t stride, const ByteSink& sink);

// The pixels of an uncompressed 24-bit bitmap file, as WriteBmp makes them, inside the file's
// bytes (which must outlive it).
struct Bitmap24 {
  int width = 0, height = 0;
  // Row y from the top: `width` pixels of blue, green, red.
  const std::uint8_t* Row(int y) const { return pixels + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * rowBytes; }
  const std::uint8_t* pixels = nullptr;
  std::size_t rowBytes = 0;
  bool bottomUp = true;
};

// The bitmap in `file` when it is an uncompressed 24-bit one whose pixels all lie inside the
// file; nothing for any other file (another kind of bitmap, a damaged or foreign file).
std::optional<Bitmap24> ReadBitmap24(std::span<const std::uint8_t> file);

// One row of 24-bit pixels as 32-bit ones (blue, green, red, 255), `width` pixels.
void UnpackRow24(const std::uint8_t* from, int width, std::uint8_t* to);

}  // namespace quillora
