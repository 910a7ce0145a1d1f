// Pictures written as PNG by quillora-cli read back pixel for pixel, whatever the picture's
// pixel format, and with the same bytes as converting the whole picture first would give.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillora::cli
