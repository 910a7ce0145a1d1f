#include "tests/preview/PreviewTestSupport.h"

#include <QApplication>
#include <QPainter>

namespace quillora::preview::testing {

QImage SheetPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.fillRect(0, 0, width / 2, height, Qt::red);
  painter.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
  painter.fillRect(0, 0, width, 100, Qt::green);
  return picture;
}

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> HandCursorFile() {
  constexpr int kSize = 32;
  constexpr int kRowBytes = 4;
  constexpr std::uint32_t kBodySize = 40 + 8 + 2 * kSize * kRowBytes;
  std::vector<std::uint8_t> file;
  Put(file, 0, 2);  // reserved
  Put(file, 2, 2);  // cursor
  Put(file, 1, 2);  // one image
  file.push_back(kSize);
  file.push_back(kSize);
  file.push_back(0);
  file.push_back(0);
  Put(file, 5, 2);  // hotspot x
  Put(file, 1, 2);  // hotspot y
  Put(file, kBodySize, 4);
  Put(file, 22, 4);
  Put(file, 40, 4);  // BITMAPINFOHEADER
  Put(file, kSize, 4);
  Put(file, 2 * kSize, 4);
  Put(file, 1, 2);
  Put(file, 1, 2);
  for (int i = 0; i < 6; ++i) Put(file, 0, 4);
  Put(file, 0x000000, 4);  // palette: black, white
  Put(file, 0xFFFFFF, 4);
  for (int i = 0; i < kSize * kRowBytes; ++i) file.push_back(0x00);  // all black
  for (int y = 0; y < kSize; ++y)                                      // AND mask: a square
    for (int b = 0; b < kRowBytes; ++b) file.push_back(y < 8 || y > 24 ? 0xFF : 0x00);
  return file;
}

}  // namespace quillora::preview::testing
