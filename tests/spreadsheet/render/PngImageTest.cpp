// PNG pictures of a workbook: decoded as the general reader decodes them, and a damaged one is
// no picture, without a line on stderr (stderr is kept for failures of the command).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <vector>

#include "spreadsheet/render/PngImage.h"
#include "tests/support/TempDir.h"

namespace quillora::render {
namespace {

std::vector<std::uint8_t> PngBytes(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, "PNG"));
  return {data.begin(), data.end()};
}

// What `action` writes to file descriptor 2.
template <class Action>
std::string StderrOf(Action&& action) {
  testing::TempDir dir;
  std::fflush(stderr);
  const int saved = ::dup(2);
  std::FILE* capture = std::fopen((dir / "stderr").c_str(), "w+");
  ::dup2(::fileno(capture), 2);
  action();
  std::fflush(stderr);
  ::dup2(saved, 2);
  ::close(saved);
  std::fclose(capture);
  return testing::ReadText(dir / "stderr");
}

TEST(PngImage, DecodesAsTheGeneralReaderAndADamagedPictureQuietlyIsNone) {
  QImage picture(7, 5, QImage::Format_ARGB32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) picture.setPixel(x, y, qRgba(30 * x, 40 * y, 200, x == 3 ? 128 : 255));
  std::vector<std::uint8_t> bytes = PngBytes(picture);
  EXPECT_EQ(DecodePng(bytes), picture);

  // A wrong checksum on the image data, a cut file and plain junk.
  std::vector<std::uint8_t> badChecksum = bytes;
  badChecksum[badChecksum.size() - 13] ^= 0xFF;  // the last byte of the IDAT chunk's CRC
  const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2));
  const std::vector<std::uint8_t> junk{'n', 'o', 't', ' ', 'p', 'n', 'g'};
  const std::string said = StderrOf([&] {
    EXPECT_TRUE(DecodePng(badChecksum).isNull());
    EXPECT_TRUE(DecodePng(cut).isNull());
    EXPECT_TRUE(DecodePng(junk).isNull());
    EXPECT_TRUE(DecodePng({}).isNull());
  });
  EXPECT_EQ(said, "");
}

}  // namespace
}  // namespace quillora::render
