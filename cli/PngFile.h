#pragma once
// PNG encoding tuned for sheet pictures: mostly flat colour, written once, wanted quickly.
#include <QImage>
#include <cstdint>
#include <vector>

namespace quillora::cli {

// The picture as PNG bytes, 8-bit RGB, rows unfiltered and compressed at zlib's fastest
// level. The upper and lower halves of a picture are compressed at the same time on two
// threads and joined into one stream, so the bytes do not depend on the machine. Rows are
// encoded from the picture's own pixels, so the picture is never copied whole. Throws
// std::runtime_error when the compressor fails.
std::vector<std::uint8_t> EncodePng(const QImage& picture);

}  // namespace quillora::cli
