#pragma once
// PNG encoding tuned for sheet pictures: mostly flat colour, written once, wanted quickly.
#include <QImage>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace quillora::cli {

// The picture as PNG bytes, 8-bit RGB, rows unfiltered and compressed at zlib's fastest
// level. The upper and lower halves of a picture are compressed at the same time on two
// threads and joined into one stream, so the bytes do not depend on the machine. Rows are
// encoded from the picture's own pixels, so the picture is never copied whole. Throws
// std::runtime_error when the compressor fails.
// Receives the file's bytes in order, a piece at a time.
using PngSink = std::function<void(std::span<const std::uint8_t>)>;

// Writes the picture as a PNG file to `sink` in pieces: the compressed rows are passed on as
// they are, so no copy of the whole file is made.
void WritePng(const QImage& picture, const PngSink& sink);

// The same file as one block of bytes.
std::vector<std::uint8_t> EncodePng(const QImage& picture);

}  // namespace quillora::cli
