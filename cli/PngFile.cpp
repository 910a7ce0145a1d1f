#include "cli/PngFile.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <stdexcept>
#include <string>

namespace quillora::cli {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// libpng reports failures by longjmp; the message is kept for the exception thrown after.
void Failed(png_structp png, png_const_charp message) {
  *static_cast<std::string*>(png_get_error_ptr(png)) = message;
  png_longjmp(png, 1);
}

void Warned(png_structp, png_const_charp) {}

// Rows converted at once for pictures whose pixels libpng cannot take as they are.
constexpr int kBandRows = 64;

}  // namespace

std::vector<std::uint8_t> EncodePng(const QImage& picture) {
  // Opaque and premultiplied 32-bit pictures hold each pixel as the bytes blue, green, red
  // and an unused or alpha byte on this machine: libpng reorders and drops those as it
  // writes each row, so the picture is never copied. Other formats are converted as the
  // general converter does, a band of rows at a time.
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "32-bit pixels are stored as blue, green, red, alpha");
  const bool direct = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied;
  const int width = picture.width(), height = picture.height();
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 / 8);
  QImage band;  // the rows being converted, for pictures in other formats
  std::string error;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, Failed, Warned);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("cannot start the PNG encoder");
  }
  // Nothing with a destructor is created between here and the last libpng call.
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot encode the picture as PNG: " + error);
  }
  png_set_write_fn(png, &out, AppendBytes, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  if (direct) {
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < height; ++y) png_write_row(png, picture.constScanLine(y));
  } else {
    for (int y = 0; y < height; ++y) {
      const int inBand = y % kBandRows;
      if (inBand == 0)
        band = picture.copy(0, y, width, std::min(kBandRows, height - y)).convertToFormat(QImage::Format_RGB888);
      png_write_row(png, band.constScanLine(inBand));
    }
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace quillora::cli
