// Pictures written as PNG by quillora-cli read back pixel for pixel, whatever the picture's
// pixel format, and with the same bytes as converting the whole picture first would give.
#include <gtest/gtest.h>

#include <zlib.h>
#include <QImage>

#include "cli/PngFile.h"
#include "spreadsheet/render/PngImage.h"
// The encoder is part of the command-line program, not of a library.
#include "cli/PngFile.cpp"

namespace quillora::cli {
namespace {

QImage Pattern(QImage::Format format) {
  // 150 rows: more than two bands of rows for formats converted a band at a time.
  QImage image(37, 150, QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgba(7 * x, (3 * y) % 256, (x * y) % 256, 255));
  return image.convertToFormat(format);
}

TEST(PngFileTest, RowsReadBackEqualForEachPixelFormat) {
  for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                      QImage::Format_ARGB32, QImage::Format_RGB888, QImage::Format_RGB16}) {
    const QImage picture = Pattern(format);
    const QImage decoded = render::DecodePng(EncodePng(picture));
    ASSERT_FALSE(decoded.isNull()) << format;
    EXPECT_TRUE(decoded.convertToFormat(QImage::Format_RGB32) == picture.convertToFormat(QImage::Format_RGB32))
        << format;
  }
}

TEST(PngFileTest, AnOpaquePictureGivesTheBytesOfItsWholeConvertedCopy) {
  // Encoding straight from the 32-bit rows must not change the file against encoding the
  // picture converted to 24 bits first.
  const QImage picture = Pattern(QImage::Format_RGB32);
  EXPECT_EQ(EncodePng(picture), EncodePng(picture.convertToFormat(QImage::Format_RGB888)));
  // A picture with a translucent pixel keeps the colour the general converter gives it.
  QImage translucent = Pattern(QImage::Format_ARGB32);
  translucent.setPixel(3, 3, qRgba(200, 100, 50, 128));
  const QImage decoded = render::DecodePng(EncodePng(translucent));
  EXPECT_EQ(decoded.pixel(3, 3), translucent.convertToFormat(QImage::Format_RGB888).pixel(3, 3));
}

std::uint32_t Big32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
         bytes[at + 3];
}

TEST(PngFileTest, ChunksAndTheJoinedStreamCheckOutStrictly) {
  // Tall enough to be compressed in two halves; a strict reader checks every chunk's CRC and
  // the stream's own checksum, which a lenient decoder may skip.
  for (const int height : {150, 7}) {
    const QImage picture = Pattern(QImage::Format_RGB32).copy(0, 0, 37, height);
    const std::vector<std::uint8_t> png = EncodePng(picture);
    std::vector<std::uint8_t> stream;
    std::vector<std::string> types;
    for (std::size_t at = 8; at + 12 <= png.size();) {
      const std::uint32_t length = Big32(png, at);
      ASSERT_LE(at + 12 + length, png.size());
      const uLong crc = crc32(0, png.data() + at + 4, 4 + length);
      EXPECT_EQ(crc, Big32(png, at + 8 + length)) << "chunk at " << at;
      types.emplace_back(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                         png.begin() + static_cast<std::ptrdiff_t>(at + 8));
      if (types.back() == "IDAT")
        stream.insert(stream.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                      png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
      at += 12 + length;
    }
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    const std::size_t rows = static_cast<std::size_t>(height) * (1 + 3 * 37);
    std::vector<std::uint8_t> raw(rows + 1);
    uLongf size = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &size, stream.data(), stream.size()), Z_OK) << height;
    EXPECT_EQ(size, rows);
  }
}

}  // namespace
}  // namespace quillora::cli
