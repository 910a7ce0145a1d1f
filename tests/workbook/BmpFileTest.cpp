// The picture file format: what WriteBmp writes reads back pixel for pixel, through the fast
// reader and through Qt's general one; other and damaged bitmaps are left to the general reader.
#include <gtest/gtest.h>

#include <QImage>

#include "workbook/core/BmpFile.h"

namespace quillora {
namespace {

std::vector<std::uint8_t> Written(const QImage& picture) {
  std::vector<std::uint8_t> file;
  WriteBmp(picture.constBits(), picture.width(), picture.height(), picture.bytesPerLine(),
           [&](std::span<const std::uint8_t> bytes) { file.insert(file.end(), bytes.begin(), bytes.end()); });
  return file;
}

QImage Pattern(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgb(x * 37 % 256, y * 11 % 256, (x ^ y) * 5 % 256));
  return picture;
}

TEST(BmpFileTest, WrittenPicturesReadBackExactlyWhateverTheRowPadding) {
  // Widths 1 to 9 cover every row padding and the pixels after the last group of four; the
  // height makes the writer hand over more than one piece.
  for (int width = 1; width <= 9; ++width) {
    const QImage picture = Pattern(width, width == 9 ? 30000 : 3);
    const std::vector<std::uint8_t> file = Written(picture);
    const auto bitmap = ReadBitmap24(file);
    ASSERT_TRUE(bitmap.has_value()) << width;
    QImage fast(bitmap->width, bitmap->height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap->height; ++y) UnpackRow24(bitmap->Row(y), bitmap->width, fast.scanLine(y));
    EXPECT_EQ(fast, picture) << width;
    QImage general;
    ASSERT_TRUE(general.loadFromData(file.data(), static_cast<int>(file.size()), "BMP"));
    EXPECT_EQ(general.convertToFormat(QImage::Format_RGB32), picture) << width;
  }
}

TEST(BmpFileTest, OtherOrDamagedBitmapsAreNotTakenForOurs) {
  std::vector<std::uint8_t> file = Written(Pattern(5, 4));
  EXPECT_FALSE(ReadBitmap24(std::span(file).first(file.size() - 1)).has_value());  // truncated
  std::vector<std::uint8_t> other = file;
  other[28] = 32;  // 32 bits per pixel
  EXPECT_FALSE(ReadBitmap24(other).has_value());
  other = file;
  other[30] = 1;  // run-length compressed
  EXPECT_FALSE(ReadBitmap24(other).has_value());
  other = file;
  other[10] = 0xF0;  // pixels said to start beyond the end
  EXPECT_FALSE(ReadBitmap24(other).has_value());
  EXPECT_FALSE(ReadBitmap24({}).has_value());
  EXPECT_THROW(WriteBmp(nullptr, 0, 1, 0, [](std::span<const std::uint8_t>) {}), std::invalid_argument);
}

}  // namespace
}  // namespace quillora
