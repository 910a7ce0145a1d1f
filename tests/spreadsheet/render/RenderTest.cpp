// The renderer: geometry rules, the template-shaped sheet's pixels, values through their
// formats, border conflicts, overflow, gridlines and font look-alikes.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/render/BorderPainter.h"
#include "spreadsheet/render/CellText.h"
#include "spreadsheet/render/FontBook.h"
#include "spreadsheet/render/PicturePainter.h"
#include "spreadsheet/render/SheetGeometry.h"
#include "spreadsheet/render/SheetRenderer.h"
#include "tests/spreadsheet/render/RenderTestBook.h"
#include "workbook/core/FileHelpers.h"

namespace quillora::render {
namespace {

using engine::testing::BuildTemplateShapedBook;
using engine::testing::PutAmount;

QRgb Hex(unsigned rgb) { return 0xFF000000u | rgb; }

// Left edges of columns A, B, C, D and top edge of a one-based row in the template picture.
constexpr int kColumnLeft[] = {0, 250, 400, 550};
int RowTop(const engine::Sheet& sheet, int oneBasedRow) {
  return SheetGeometry(sheet, SheetUsedRange(sheet), 7).RowTop(oneBasedRow - 1);
}

// Pixels of `image` in a rectangle that differ from `background`.
struct Ink {
  int count = 0, left = 1 << 30, right = -1;
};
Ink InkIn(const QImage& image, const QRect& rect, QRgb background) {
  Ink ink;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (image.pixel(x, y) != background) {
        ++ink.count;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
      }
  return ink;
}

TEST(RenderGeometryTest, WidthsAndHeightsFollowTheSpreadsheetsRounding) {
  EXPECT_EQ(ColumnWidthPixels(9142, 7), 250);
  EXPECT_EQ(ColumnWidthPixels(5485, 7), 150);
  EXPECT_EQ(ColumnWidthPixels(2340, 7), 64);
  EXPECT_EQ(DefaultColumnPixels(8, 7), 64);
  EXPECT_EQ(RowHeightPixels(900), 60);  // 45 pt
  EXPECT_EQ(RowHeightPixels(315), 21);  // 15.75 pt
  EXPECT_EQ(RowHeightPixels(342), 23);  // 17.1 pt
  EXPECT_EQ(RowHeightPixels(330), 22);  // 16.5 pt
  EXPECT_EQ(RowHeightPixels(255), 17);  // 12.75 pt
}

TEST(RenderGeometryTest, RangesParseAndTheUsedRangeReachesTheLastSetRow) {
  EXPECT_EQ(ParseRange("A1:C118"), (CellRange{0, 0, 117, 2}));
  EXPECT_EQ(ParseRange("$B$3:A1"), (CellRange{0, 0, 2, 1}));
  EXPECT_EQ(ParseRange("D7"), (CellRange{6, 3, 6, 3}));
  for (const char* bad : {"", "A1:", "Sheet1!A1", "SUM(A1)", "hello"})
    EXPECT_THROW(ParseRange(bad), std::runtime_error) << bad;
  const engine::Workbook book = BuildTemplateShapedBook();
  EXPECT_EQ(SheetUsedRange(book.sheets[0]), (CellRange{0, 0, 117, 2}));
}

TEST(RenderTemplateTest, PictureSizeIsTheSumOfTheVisibleWidthsAndHeights) {
  engine::Workbook book = BuildTemplateShapedBook();
  const engine::Sheet& sheet = book.sheets[0];
  // 250 + 150 + 150 wide; rows: 60+21+17+27+21+17, 91 rows of 15 pt (20 px), ten totals of
  // 19.5 pt (26 px), seven gaps of 17.1 pt (23 px) and row 103, one of 16.5 pt (22 px),
  // row 118 of 13.5 pt (18 px); row 102 hidden.
  const QSize expected(550, 163 + 91 * 20 + 10 * 26 + 8 * 23 + 22 + 18);
  EXPECT_EQ(expected, QSize(550, 2467));
  EXPECT_EQ(RangeImageSize(book, sheet, SheetUsedRange(sheet)), expected);
  EXPECT_EQ(RenderRange(book, sheet, SheetUsedRange(sheet)).size(), expected);
  EXPECT_EQ(RowTop(sheet, 103), RowTop(sheet, 102));
  book.sheets[0].rows[101].hidden = false;
  EXPECT_EQ(RangeImageSize(book, book.sheets[0], SheetUsedRange(book.sheets[0])).height(), 2467 + 23);
}

TEST(RenderTemplateTest, TitleBandInputCellsAndTotalRules) {
  const engine::Workbook book = BuildTemplateShapedBook();
  const engine::Sheet& sheet = book.sheets[0];
  const QImage image = RenderRange(book, sheet, SheetUsedRange(sheet));

  // Row 1: 60 px of dusty rose with white title text centred on the merged band.
  EXPECT_EQ(image.pixel(3, 3), Hex(0xC37D8C));
  EXPECT_EQ(image.pixel(546, 56), Hex(0xC37D8C));
  EXPECT_NE(image.pixel(3, 61), Hex(0xC37D8C));
  const Ink title = InkIn(image, QRect(160, 0, 390, 60), Hex(0xC37D8C));  // right of the picture
  ASSERT_GT(title.count, 100);
  EXPECT_NEAR((title.left + title.right) / 2.0, 275, 3);
  int white = 0;
  for (int x = title.left; x <= title.right; ++x)
    for (int y = 0; y < 60; ++y) white += image.pixel(x, y) == Hex(0xFFFFFF);
  EXPECT_GT(white, 50);

  // Input cells: light grey inside, #C0C0C0 lines between them.
  const int row10 = RowTop(sheet, 10);
  EXPECT_EQ(image.pixel(kColumnLeft[1] + 10, row10 + 10), Hex(0xEAEAEA));
  EXPECT_EQ(image.pixel(kColumnLeft[2] - 1, row10 + 10), Hex(0xC0C0C0));
  EXPECT_EQ(image.pixel(kColumnLeft[1] + 10, row10 - 1), Hex(0xC0C0C0));
  // The first input row's top line is darker.
  EXPECT_EQ(image.pixel(kColumnLeft[1] + 10, RowTop(sheet, 9) - 1), Hex(0x808080));

  // Double #808080 lines above and below a section total; between them shows the cell
  // behind (the last input row's grey above, white below).
  for (int totalRow : {20, 117}) {
    const int top = RowTop(sheet, totalRow), bottom = RowTop(sheet, totalRow + 1);
    const int x = kColumnLeft[2] + 30;
    EXPECT_EQ(image.pixel(x, top - 2), Hex(0x808080)) << totalRow;
    EXPECT_EQ(image.pixel(x, top - 1), Hex(0xEAEAEA)) << totalRow;
    EXPECT_EQ(image.pixel(x, top), Hex(0x808080)) << totalRow;
    EXPECT_EQ(image.pixel(x, bottom - 2), Hex(0x808080)) << totalRow;
    EXPECT_EQ(image.pixel(x, bottom - 1), Hex(0xFFFFFF)) << totalRow;
    EXPECT_EQ(image.pixel(x, bottom), Hex(0x808080)) << totalRow;
  }
  // Gridlines are hidden: an empty stretch of the sheet stays white.
  const int row6 = RowTop(sheet, 6);
  EXPECT_EQ(InkIn(image, QRect(0, row6, 550, 17), Hex(0xFFFFFF)).count, 0);
}

TEST(RenderTemplateTest, FloralPictureSitsAtItsAnchorOverTheBand) {
  engine::Workbook book = BuildTemplateShapedBook();
  const engine::Sheet& sheet = book.sheets[0];
  const SheetGeometry geometry(sheet, SheetUsedRange(sheet), 7);
  // 250 * 70 / 1024 = 17, 60 * 43 / 256 = 10; 250 * 623 / 1024 = 152, 60 + 21 + 17 * 136 / 256 = 90.
  EXPECT_EQ(AnchorRect(engine::testing::kFloralAnchor, geometry), QRect(QPoint(17, 10), QPoint(151, 89)));
  const QImage image = RenderRange(book, sheet, SheetUsedRange(sheet));
  EXPECT_EQ(image.pixel(16, 30), Hex(0xC37D8C));   // band left of the picture
  EXPECT_EQ(image.pixel(153, 12), Hex(0xC37D8C));  // and right of it
  const QColor leaves(image.pixel(19, 12));
  EXPECT_NEAR(leaves.green(), 0x6B, 12);
  EXPECT_NEAR(leaves.red(), 0x3A, 12);
  // A picture whose image cannot be decoded shows as a grey box instead.
  book.pictures.blips[0].bytes.resize(10);
  EXPECT_EQ(RenderRange(book, sheet, SheetUsedRange(sheet)).pixel(60, 40), Hex(0xC0C0C0));
}

TEST(RenderValueTest, CurrencyKeepsItsParenthesisGapAndNegativesShowRed) {
  engine::Workbook book = BuildTemplateShapedBook();
  const engine::Sheet& sheet = book.sheets[0];
  FontBook fonts(book);
  FormatCache formats(book);
  const engine::CellFormat& input = book.cellFormats[sheet.cells.at({9, 1}).xf];

  const CellText positive = LayOutCellText(book, input, 1234.5, formats, fonts);
  ASSERT_EQ(positive.pieces.size(), 2u);
  EXPECT_EQ(positive.pieces[0].text, QStringLiteral("$1,234.50"));
  EXPECT_TRUE(positive.pieces[1].gap);
  EXPECT_EQ(positive.pieces[1].width, fonts.Metrics(input.font).horizontalAdvance(QLatin1Char(')')));
  EXPECT_EQ(positive.color, QColor(Qt::black));
  const CellText negative = LayOutCellText(book, input, -1234.5, formats, fonts);
  ASSERT_EQ(negative.pieces.size(), 1u);
  EXPECT_EQ(negative.pieces[0].text, QStringLiteral("($1,234.50)"));
  EXPECT_EQ(negative.color, QColor(0xFF, 0x00, 0x00));

  // Drawn: right-aligned, ending one indent level and the gap before the cell's right edge.
  PutAmount(book, 9, 1, 1234.5);
  PutAmount(book, 10, 1, -1234.5);
  const QImage image = RenderRange(book, book.sheets[0], SheetUsedRange(book.sheets[0]));
  const int indent = kIndentDigits * 7;
  const int textRight = kColumnLeft[2] - 1 - kCellPadding - indent;  // last pixel the text may use
  const int row10 = RowTop(sheet, 10), row11 = RowTop(sheet, 11);
  const Ink amount = InkIn(image, QRect(kColumnLeft[1] + 1, row10 + 1, 148, 18), Hex(0xEAEAEA));
  ASSERT_GT(amount.count, 30);
  EXPECT_LE(amount.right, textRight - positive.pieces[1].width);
  EXPECT_GE(amount.right, textRight - positive.pieces[1].width - 3);
  EXPECT_NEAR(amount.right - amount.left + 1, positive.pieces[0].width, 3);
  const Ink red = InkIn(image, QRect(kColumnLeft[1] + 1, row11 + 1, 148, 18), Hex(0xEAEAEA));
  ASSERT_GT(red.count, 30);
  EXPECT_LE(red.right, textRight);
  EXPECT_GE(red.right, textRight - 3);
  int pureRed = 0;
  for (int x = red.left; x <= red.right; ++x)
    for (int y = row11 + 1; y < row11 + 19; ++y) pureRed += image.pixel(x, y) == Hex(0xFF0000);
  EXPECT_GT(pureRed, 10);
}

// A one-sheet workbook of default cells for the smaller cases below.
engine::Workbook SmallBook(bool gridlines) {
  engine::Workbook book = engine::NewWorkbook();
  engine::Sheet sheet;
  sheet.window.options = gridlines ? 0x06B6 : 0x06B4;
  book.sheets.push_back(sheet);
  return book;
}

std::uint16_t AddBorderFormat(engine::Workbook& book, engine::Border top, engine::Border bottom) {
  engine::CellFormat xf = book.cellFormats[15];
  xf.top = top;
  xf.bottom = bottom;
  book.cellFormats.push_back(xf);
  return static_cast<std::uint16_t>(book.cellFormats.size() - 1);
}

TEST(RenderBorderTest, TheHeavierBorderWinsAndTiesGoToTheLowerCell) {
  using engine::BorderStyle;
  EXPECT_LT(BorderWeight(BorderStyle::Hair), BorderWeight(BorderStyle::Thin));
  EXPECT_LT(BorderWeight(BorderStyle::Thin), BorderWeight(BorderStyle::Medium));
  EXPECT_LT(BorderWeight(BorderStyle::Medium), BorderWeight(BorderStyle::Thick));
  EXPECT_LT(BorderWeight(BorderStyle::Thick), BorderWeight(BorderStyle::Double));
  EXPECT_EQ(BorderWeight(BorderStyle::None), 0);

  engine::Workbook book = SmallBook(false);
  const std::uint16_t thinRedBottom = AddBorderFormat(book, {}, {BorderStyle::Thin, 10});
  const std::uint16_t thickBlueTop = AddBorderFormat(book, {BorderStyle::Thick, 12}, {});
  const std::uint16_t thinBlueTop = AddBorderFormat(book, {BorderStyle::Thin, 12}, {});
  engine::Sheet& sheet = book.sheets[0];
  sheet.cells[{0, 0}].xf = thinRedBottom;  // A1 thin red bottom over A2 thick blue top
  sheet.cells[{1, 0}].xf = thickBlueTop;
  sheet.cells[{0, 1}].xf = thinRedBottom;  // B1 thin red bottom over B2 thin blue top
  sheet.cells[{1, 1}].xf = thinBlueTop;
  const QImage image = RenderRange(book, sheet, {0, 0, 2, 1});
  const int edge = 17 - 1;  // the last pixel of row 1
  EXPECT_EQ(image.pixel(30, edge - 1), Hex(0x0000FF));
  EXPECT_EQ(image.pixel(30, edge), Hex(0x0000FF));
  EXPECT_EQ(image.pixel(30, edge + 1), Hex(0x0000FF));
  EXPECT_EQ(image.pixel(64 + 30, edge), Hex(0x0000FF));
  EXPECT_EQ(image.pixel(64 + 30, edge - 1), Hex(0xFFFFFF));
}

TEST(RenderTextTest, TextSpillsIntoEmptyNeighboursOnly) {
  engine::Workbook book = SmallBook(true);
  engine::Sheet& sheet = book.sheets[0];
  const std::string longText = "A rather long label that overflows";
  sheet.cells[{0, 1}].value = longText;  // B1 spills right over C1, D1
  sheet.cells[{1, 1}].value = longText;  // B2 is stopped by C2
  sheet.cells[{1, 2}].value = std::string("x");
  engine::CellFormat right = book.cellFormats[15];
  right.horizontal = engine::HorizontalAlignment::Right;
  book.cellFormats.push_back(right);
  sheet.cells[{2, 3}] = {static_cast<std::uint16_t>(book.cellFormats.size() - 1), longText, {}};  // D3 spills left
  const QImage image = RenderRange(book, sheet, {0, 0, 2, 4});
  const QRgb white = Hex(0xFFFFFF), grid = Hex(0xD4D4D4);
  auto inkBetween = [&](int row, int left, int right) {
    int count = 0;
    for (int y = row * 17 + 1; y < row * 17 + 15; ++y)
      for (int x = left; x < right; ++x) count += image.pixel(x, y) != white && image.pixel(x, y) != grid;
    return count;
  };
  EXPECT_GT(inkBetween(0, 128, 192), 20);  // row 1 reaches into C
  EXPECT_EQ(inkBetween(1, 128 + 12, 192), 0);  // row 2 stops before C (only C2's "x" near its left)
  EXPECT_GT(inkBetween(2, 128, 192), 20);  // row 3, right-aligned in D, reaches back into C
  EXPECT_EQ(inkBetween(2, 256, 320), 0);   // and not to the right of D
  EXPECT_EQ(image.pixel(63, 40), grid);    // gridlines shown
}

TEST(RenderTextTest, NumbersTooWideShowHashes) {
  engine::Workbook book = SmallBook(false);
  engine::Sheet& sheet = book.sheets[0];
  sheet.columns.push_back({0, 0, 2 * 256, 15});
  FontBook fonts(book);
  FormatCache formats(book);
  const CellText text = LayOutCellText(book, book.cellFormats[15], 123456789.0, formats, fonts);
  EXPECT_TRUE(text.number);
  sheet.cells[{0, 0}].value = 123456789.0;
  const QImage image = RenderRange(book, sheet, {0, 0, 0, 0});
  EXPECT_EQ(image.width(), ColumnWidthPixels(512, 7));
  // The digits never leave the narrow cell; what shows is made of #s of the cell's width.
  EXPECT_GT(InkIn(image, image.rect(), Hex(0xFFFFFF)).count, 0);
}

TEST(RenderGeometryTest, RangesTooLargeToDrawAreRefusedBeforeAnyPixelIsAllocated) {
  engine::Workbook book = SmallBook(false);
  const engine::Sheet& sheet = book.sheets[0];
  // 256 columns of 64 px and 1800 rows of 17 px: each side fits, the area (about 500 million
  // pixels, 2 GB) does not.
  try {
    RenderRange(book, sheet, {0, 0, 1799, 255});
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("pixels in all"), std::string::npos) << e.what();
  }
  EXPECT_THROW(RenderRange(book, sheet, {0, 0, 65535, 0}), std::runtime_error);  // too tall
  EXPECT_EQ(RenderRange(book, sheet, {0, 0, 99, 25}).size(), QSize(26 * 64, 100 * 17));
}

TEST(RenderFontTest, MissingFontsGetLookAlikes) {
  EXPECT_EQ(DrawnFamily("Monotype Corsiva"), QStringLiteral("Z003"));
  EXPECT_EQ(DrawnFamily("Arial"), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(DrawnFamily("Times New Roman"), QStringLiteral("Liberation Serif"));
  const QString tahoma = DrawnFamily("Tahoma");
  EXPECT_TRUE(tahoma == QStringLiteral("Tahoma") || tahoma == QStringLiteral("DejaVu Sans")) << tahoma.toStdString();
  const engine::Workbook book = BuildTemplateShapedBook();
  EXPECT_EQ(FontBook(book).DigitWidth(), 7);
}

// Dark pixels of `text` drawn in `font`, and the widest run of blank columns between its first
// and last inked column.
struct Weight {
  int dark = 0;
  int widestGap = 0;
};
Weight WeightOf(const QFont& font, const QString& text) {
  QImage image(400, 32, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QPoint(2, 22), text);
  painter.end();
  Weight ink;
  int run = 0;
  bool started = false;
  for (int x = 0; x < image.width(); ++x) {
    int column = 0;
    for (int y = 0; y < image.height(); ++y) column += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    ink.dark += column;
    if (column > 0) {
      if (started) ink.widestGap = std::max(ink.widestGap, run);
      started = true;
      run = 0;
    } else {
      ++run;
    }
  }
  return ink;
}

TEST(RenderFontTest, BoldTahomaIsVisiblyHeavierAndOpensNoGap) {
  engine::Workbook book = engine::NewWorkbook();
  engine::Font regular;
  regular.name = "Tahoma";
  engine::Font bold = regular;
  bold.weight = 700;
  book.fonts = {regular, bold};
  const FontBook fonts(book);
  for (const char* text : {"Total Expenses", "Stationery/Printing", "Estimated", "Actual", "$12,345.00"}) {
    const Weight plain = WeightOf(fonts.Font(0), QString::fromUtf8(text));
    const Weight heavy = WeightOf(fonts.Font(1), QString::fromUtf8(text));
    EXPECT_GE(heavy.dark * 4, plain.dark * 5) << text << ": " << heavy.dark << " dark pixels bold, " << plain.dark << " regular";
    EXPECT_LE(heavy.widestGap, plain.widestGap) << text;
  }
}

TEST(RenderRangeTest, RefusesRangesItCannotDraw) {
  const engine::Workbook book = SmallBook(false);
  EXPECT_THROW(RenderRange(book, book.sheets[0], {0, 0, 65535, 255}), std::runtime_error);
  EXPECT_THROW(RenderRange(book, book.sheets[0], {3, 0, 1, 0}), std::runtime_error);
  engine::Workbook hidden = SmallBook(false);
  hidden.sheets[0].rows[0].hidden = true;
  EXPECT_THROW(RenderRange(hidden, hidden.sheets[0], {0, 0, 0, 2}), std::runtime_error);
  EXPECT_THROW(ActiveSheet(engine::NewWorkbook()), std::runtime_error);
}

// Writes the template-shaped workbook, empty and filled, to $QUILLORA_RENDER_SAMPLES for a
// side-by-side look with other readers' prints. Run with --gtest_also_run_disabled_tests.
TEST(RenderSampleTest, DISABLED_WriteSampleWorkbooks) {
  const QByteArray folder = qgetenv("QUILLORA_RENDER_SAMPLES");
  ASSERT_FALSE(folder.isEmpty());
  engine::Workbook book = BuildTemplateShapedBook();
  WriteBytesToFile(engine::WriteWorkbook(book), folder.toStdString() + "/shaped-empty.xls");
  double amount = 1234.5;
  for (const auto& section : engine::testing::TemplateSections())
    for (int row = section.firstInput; row <= section.lastInput; ++row, amount = -amount * 0.9)
      PutAmount(book, row, 1 + row % 2, amount);
  WriteBytesToFile(engine::WriteWorkbook(book), folder.toStdString() + "/shaped-filled.xls");
}

}  // namespace
}  // namespace quillora::render
