#pragma once
// Writing a picture as a Windows bitmap file: 24 bits per pixel, uncompressed, rows bottom-up.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillora {

// `rows` points at `height` rows of `width` pixels, each pixel four bytes in the order blue,
// green, red, unused (a 32-bit 0xAARRGGBB word on a little-endian machine); consecutive rows
// lie `stride` bytes apart. Throws std::invalid_argument for an empty or oversized picture.
std::vector<std::uint8_t> EncodeBmp(const std::uint8_t* rows, int width, int height, std::ptrdiff_t stride);

}  // namespace quillora
