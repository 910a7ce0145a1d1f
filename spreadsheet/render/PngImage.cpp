#include "spreadsheet/render/PngImage.h"

#include <png.h>

namespace quillora::render {

QImage DecodePng(std::span<const std::uint8_t> bytes) {
  // libpng's simplified reader keeps every error and warning in the image's message instead
  // of printing it; the general image reader lets libpng print errors itself.
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return {};
  if (png.width == 0 || png.height == 0 || std::uint64_t{png.width} * png.height > kMaxPicturePixels) {
    png_image_free(&png);
    return {};
  }
  // Format_ARGB32 holds each pixel as the bytes blue, green, red, alpha on this machine.
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "ARGB32 pixels are stored as blue, green, red, alpha");
  png.format = PNG_FORMAT_BGRA;
  QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
  if (image.isNull()) {
    png_image_free(&png);
    return {};
  }
  if (!png_image_finish_read(&png, nullptr, image.bits(), static_cast<png_int_32>(image.bytesPerLine()), nullptr))
    return {};  // the reader has freed its state
  return image;
}

}  // namespace quillora::render
