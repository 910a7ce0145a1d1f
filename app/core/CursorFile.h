#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quillora {

// One image of a Windows cursor file with its hotspot. A classic DIB image is decoded to
// `argb` (row-major, top row first, 0xAARRGGBB); a PNG-compressed image keeps its bytes in
// `png` for the caller to decode.
struct CursorImage {
  int width = 0;
  int height = 0;
  int hotspotX = 0;
  int hotspotY = 0;
  std::vector<std::uint32_t> argb;
  std::vector<std::uint8_t> png;
};

// Reads every image of a .cur file (directory type 2; DIBs of 1, 4, 8, 24 or 32 bits per
// pixel with their AND mask, or PNG). Throws std::runtime_error saying what is wrong with
// a malformed or truncated file.
std::vector<CursorImage> ReadCursorFile(std::span<const std::uint8_t> bytes);

}  // namespace quillora
