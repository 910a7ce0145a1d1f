#pragma once
// A PNG file written directly (signature, IHDR, one zlib-compressed IDAT, IEND), so the
// workbook maker needs no image library.
#include <cstdint>
#include <vector>

namespace quillora::bench {

// An 8-bit RGB picture of `width` x `height` pixels: diagonal bands of two colours, so the
// decoder has real work per row. Throws std::invalid_argument for a side outside 1..65535.
std::vector<std::uint8_t> BandedPng(int width, int height);

}  // namespace quillora::bench
