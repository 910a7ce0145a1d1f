#include "cli/PngFile.h"

#include <png.h>

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

}  // namespace

std::vector<std::uint8_t> EncodePng(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(rgb.sizeInBytes() / 8));
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
  png_set_IHDR(png, info, static_cast<png_uint_32>(rgb.width()), static_cast<png_uint_32>(rgb.height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  for (int y = 0; y < rgb.height(); ++y) png_write_row(png, rgb.constScanLine(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace quillora::cli
