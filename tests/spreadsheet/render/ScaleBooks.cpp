#include "tests/spreadsheet/render/ScaleBooks.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <string>

namespace quillora::engine::testing {

Workbook BuildGridBook(int rows, int columns, bool merged) {
  Workbook book = NewWorkbook();
  CellFormat plain = book.cellFormats[15];
  plain.bottom = {BorderStyle::Thin, 8};
  CellFormat filled = plain;
  filled.fillPattern = 1;
  filled.fillForeground = 22;
  CellFormat centred = plain;
  centred.horizontal = HorizontalAlignment::Center;
  const auto add = [&book](const CellFormat& format) {
    book.cellFormats.push_back(format);
    return static_cast<std::uint16_t>(book.cellFormats.size() - 1);
  };
  const std::uint16_t xfPlain = add(plain), xfFilled = add(filled), xfCentred = add(centred);
  Sheet sheet;
  sheet.name = "Grid";
  sheet.window.options = 0x06B6;  // gridlines shown
  sheet.columns.push_back({0, static_cast<std::uint16_t>(columns - 1), 1097, 15});  // 30 px
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const int n = row * columns + column;
      Cell cell;
      cell.xf = n % 3 == 0 ? xfFilled : (column % 2 == 0 ? xfCentred : xfPlain);
      if (column % 2 == 0)
        cell.value = "t" + std::to_string(n % 997);
      else
        cell.value = static_cast<double>(n % 1000) / 8;
      sheet.cells[{row, column}] = std::move(cell);
    }
  if (merged)
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column + 1 < columns; column += 2) sheet.merges.push_back({row, column, row, column + 1});
  book.sheets.push_back(std::move(sheet));
  return book;
}

std::vector<std::uint8_t> StripedPng(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x)
      line[x] = (x / 16) % 3 == 0 ? qRgb(200, 40, 60) : qRgb(x * 255 / width, y * 255 / height, 128);
  }
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {data.begin(), data.end()};
}

Workbook BuildSharedPictureBook(int shapes, std::vector<std::uint8_t> png) {
  Workbook book = NewWorkbook();
  Sheet sheet;
  sheet.name = "Pictures";
  sheet.window.options = 0x06B6;
  sheet.cells[{0, 0}].value = std::string("start");
  sheet.cells[{99, 39}].value = std::string("end");
  for (int i = 0; i < shapes; ++i) {
    SheetPicture picture;
    picture.name = "Picture " + std::to_string(i + 1);
    picture.blipIndex = 1;
    const auto column = static_cast<std::uint16_t>((i % 20) * 2), row = static_cast<std::uint16_t>((i / 20 % 25) * 4);
    picture.anchor = {2, column, 0, row, 0, static_cast<std::uint16_t>(column + 1), 900,
                      static_cast<std::uint16_t>(row + 3), 200};
    sheet.pictures.push_back(std::move(picture));
  }
  book.pictures.blips.push_back({BlipKind::Png, std::move(png)});
  book.sheets.push_back(std::move(sheet));
  return book;
}

}  // namespace quillora::engine::testing
