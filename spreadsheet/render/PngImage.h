#pragma once
// PNG pictures from a workbook, decoded without a word on stderr: a damaged picture (a bad
// checksum, a cut stream) is simply no picture, and the caller draws its placeholder.
#include <QImage>
#include <cstdint>
#include <span>

namespace quillora::render {

// Pictures larger than this many pixels are not decoded (no workbook picture needs them).
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 26;

// The picture in `bytes`, or a null image when they are no readable PNG picture.
QImage DecodePng(std::span<const std::uint8_t> bytes);

}  // namespace quillora::render
