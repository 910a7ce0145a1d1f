#include "tests/spreadsheet/render/RenderTestBook.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <string>

namespace quillora::engine::testing {
namespace {

constexpr std::uint16_t kCurrency = 164;
constexpr std::uint8_t kRose = 45, kLightGrey = 14, kWhite = 9, kGrey50 = 23, kGrey25 = 22;

std::uint16_t AddFont(Workbook& book, const char* name, int points, bool bold, std::uint16_t color) {
  Font font;
  font.name = name;
  font.height = static_cast<std::uint16_t>(points * 20);
  font.weight = bold ? 700 : 400;
  font.color = color;
  book.fonts.push_back(font);
  return static_cast<std::uint16_t>(book.fonts.size() - 1);
}

struct Look {
  std::uint16_t font = 0;
  HorizontalAlignment horizontal = HorizontalAlignment::Left;
  std::uint8_t indent = 0;
  std::uint16_t format = 0;
  std::uint8_t fill = 0;  // palette index of a solid fill, 0 for none
  Border top, bottom, left, right;
};

std::uint16_t AddFormat(Workbook& book, const Look& look) {
  CellFormat xf;
  xf.font = look.font;
  xf.format = look.format;
  xf.horizontal = look.horizontal;
  xf.vertical = VerticalAlignment::Center;
  xf.indent = look.indent;
  xf.top = look.top;
  xf.bottom = look.bottom;
  xf.left = look.left;
  xf.right = look.right;
  if (look.fill != 0) {
    xf.fillPattern = 1;
    xf.fillForeground = look.fill;
  }
  book.cellFormats.push_back(xf);
  return static_cast<std::uint16_t>(book.cellFormats.size() - 1);
}

void Put(Sheet& sheet, int row, int column, Value value, std::uint16_t xf) {
  Cell cell;
  cell.xf = xf;
  cell.value = std::move(value);
  sheet.cells[{row, column}] = std::move(cell);
}

void SetHeight(Sheet& sheet, int row, double points, bool hidden = false) {
  RowInfo info;
  info.height = static_cast<std::uint16_t>(points * 20 + 0.5);
  info.customHeight = true;
  info.hidden = hidden;
  sheet.rows[row] = info;
}

// A 144 x 85 stand-in for the floral photograph: green leaves with white blooms, as PNG.
Blip FloralPicture() {
  QImage image(144, 85, QImage::Format_RGB32);
  image.fill(QColor(0x3A, 0x6B, 0x35));
  QPainter painter(&image);
  painter.setBrush(Qt::white);
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < 6; ++i) painter.drawEllipse(QPoint(20 + i * 21, 30 + (i % 2) * 25), 12, 12);
  painter.end();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {BlipKind::Png, std::vector<std::uint8_t>(png.begin(), png.end())};
}

}  // namespace

const Anchor kFloralAnchor{2, 0, 70, 0, 43, 0, 623, 2, 136};

const std::vector<RenderSection>& TemplateSections() {
  static const std::vector<RenderSection> sections = {
      {6, 7, 8, 18, 19},     {21, 22, 23, 28, 29},  {31, 32, 33, 37, 38},  {40, 41, 42, 47, 48},
      {50, 51, 52, 54, 55},  {57, 58, 59, 64, 65},  {67, 68, 69, 77, 78},  {80, 81, 82, 91, 92},
      {94, 95, 96, 99, 100}, {103, 104, 105, 115, 116}};
  return sections;
}

Workbook BuildTemplateShapedBook() {
  Workbook book = NewWorkbook();
  book.palette.colors[kLightGrey - 8] = {0xEA, 0xEA, 0xEA};
  book.palette.colors[kRose - 8] = {0xC3, 0x7D, 0x8C};
  book.numberFormats[kCurrency] = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";
  const std::uint16_t title = AddFont(book, "Monotype Corsiva", 24, false, kWhite);
  const std::uint16_t big = AddFont(book, "Tahoma", 11, true, kAutomaticFontColor);
  const std::uint16_t bigRose = AddFont(book, "Tahoma", 11, true, kRose);
  const std::uint16_t plain = AddFont(book, "Tahoma", 10, false, kAutomaticFontColor);
  const std::uint16_t bold = AddFont(book, "Tahoma", 10, true, kAutomaticFontColor);
  const std::uint16_t boldRose = AddFont(book, "Tahoma", 10, true, kRose);

  const Border thinRose{BorderStyle::Thin, kRose}, mediumRose{BorderStyle::Medium, kRose};
  const Border thinGrey{BorderStyle::Thin, kGrey25}, thinDark{BorderStyle::Thin, kGrey50};
  const Border doubleDark{BorderStyle::Double, kGrey50};
  const auto right = HorizontalAlignment::Right;
  const auto center = HorizontalAlignment::Center;
  const std::uint16_t band = AddFormat(book, {title, center, 0, 0, kRose, {}, {}, {}, {}});
  const std::uint16_t grandHead = AddFormat(book, {big, right, 1, 0, 0, {}, {}, {}, {}});
  const std::uint16_t grandLabel = AddFormat(book, {big, right, 1, 0, 0, thinRose, thinRose, {}, {}});
  const std::uint16_t grandTotal = AddFormat(book, {bigRose, right, 1, kCurrency, 0, thinRose, thinRose, {}, {}});
  const std::uint16_t heading = AddFormat(book, {bold, right, 1, 0, 0, {}, mediumRose, {}, {}});
  const std::uint16_t headingA = AddFormat(book, {bold, HorizontalAlignment::Left, 0, 0, 0, {}, mediumRose, {}, {}});
  const std::uint16_t sectionTitle = AddFormat(book, {bold, HorizontalAlignment::Left, 1, 0, kWhite, mediumRose, {}, {}, {}});
  const std::uint16_t label = AddFormat(book, {plain, HorizontalAlignment::Left, 1, 0, 0, {}, {}, {}, {}});
  const std::uint16_t firstLabel = AddFormat(book, {plain, HorizontalAlignment::Left, 1, 0, 0, thinDark, {}, {}, {}});
  const std::uint16_t input = AddFormat(book, {plain, right, 1, kCurrency, kLightGrey, thinGrey, thinGrey, thinGrey, thinGrey});
  const std::uint16_t firstInput = AddFormat(book, {plain, right, 1, kCurrency, kLightGrey, thinDark, thinGrey, thinGrey, thinGrey});
  const std::uint16_t lastInput = AddFormat(book, {plain, right, 1, kCurrency, kLightGrey, thinGrey, {}, thinGrey, thinGrey});
  const std::uint16_t totalLabel = AddFormat(book, {bold, HorizontalAlignment::Left, 1, 0, 0, {}, {}, {}, {}});
  const std::uint16_t total = AddFormat(book, {boldRose, right, 1, kCurrency, 0, doubleDark, doubleDark, thinGrey, thinGrey});

  Sheet sheet;
  sheet.name = "Wedding Budget";
  sheet.window.options = 0x06B6 & ~0x0002;  // gridlines hidden
  ColumnInfo a{0, 0, 9142, 15}, bc{1, 2, 5485, 15};
  sheet.columns = {a, bc};
  sheet.merges.push_back(CellRange{0, 0, 0, 2});
  for (int column = 0; column < 3; ++column) Put(sheet, 0, column, column == 0 ? Value{std::string("Wedding Budget")} : Value{}, band);
  const double heights[] = {45, 15.75, 12.75, 20.25, 15.75, 12.75};
  for (int row = 0; row < 6; ++row) SetHeight(sheet, row, heights[row]);
  Put(sheet, 2, 1, std::string("Estimated"), grandHead);
  Put(sheet, 2, 2, std::string("Actual"), grandHead);
  Put(sheet, 3, 0, std::string("Total Expenses"), grandLabel);
  Put(sheet, 3, 1, 0.0, grandTotal);
  Put(sheet, 3, 2, 0.0, grandTotal);

  int number = 0;
  for (const RenderSection& section : TemplateSections()) {
    ++number;
    for (int row = section.heading; row <= section.total; ++row) SetHeight(sheet, row, row == section.total ? 19.5 : 15);
    Put(sheet, section.heading, 0, Value{}, headingA);
    Put(sheet, section.heading, 1, std::string("Estimated"), heading);
    Put(sheet, section.heading, 2, std::string("Actual"), heading);
    Put(sheet, section.title, 0, "Section " + std::to_string(number), sectionTitle);
    Put(sheet, section.title, 1, Value{}, sectionTitle);
    Put(sheet, section.title, 2, Value{}, sectionTitle);
    for (int row = section.firstInput; row <= section.lastInput; ++row) {
      const bool first = row == section.firstInput, last = row == section.lastInput;
      Put(sheet, row, 0, "Item " + std::to_string(row + 1), first ? firstLabel : label);
      for (int column = 1; column < 3; ++column)
        Put(sheet, row, column, Value{}, first ? firstInput : last ? lastInput : input);
    }
    Put(sheet, section.total, 0, "Total " + std::to_string(number), totalLabel);
    Put(sheet, section.total, 1, 0.0, total);
    Put(sheet, section.total, 2, 0.0, total);
    if (section.total + 1 < 116) SetHeight(sheet, section.total + 1, section.total + 1 == 79 ? 16.5 : 17.1);
  }
  SetHeight(sheet, 101, 17.1, true);  // row 102: hidden
  SetHeight(sheet, 102, 17.1);
  SetHeight(sheet, 117, 13.5);
  book.pictures.blips.push_back(FloralPicture());
  SheetPicture floral;
  floral.name = "floral";
  floral.description = "Floral Arrangement";
  floral.anchor = kFloralAnchor;
  sheet.pictures.push_back(floral);
  book.sheets.push_back(std::move(sheet));
  return book;
}

void PutAmount(Workbook& book, int row, int column, double amount) {
  book.sheets.front().cells.at({row, column}).value = amount;
}

}  // namespace quillora::engine::testing
