#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "resources/resources.h"
#include "spreadsheet/automation/Automation.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/render/SheetRenderer.h"

namespace quillora {
namespace {

// The embedded template drawn as the sheet shows it, checked against its literal layout.
class TemplateRender : public ::testing::Test {
 protected:
  static QImage Draw(const engine::Workbook& book) {
    const engine::Sheet& sheet = render::ActiveSheet(book);
    return render::RenderRange(book, sheet, render::SheetUsedRange(sheet));
  }
  static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

  // Runs of `colour` along column x between rows y0 and y1.
  static int Runs(const QImage& image, int x, int y0, int y1, QColor colour) {
    int runs = 0;
    bool inside = false;
    for (int y = y0; y <= y1; ++y) {
      const bool match = At(image, x, y) == colour;
      if (match && !inside) ++runs;
      inside = match;
    }
    return runs;
  }
};

TEST_F(TemplateRender, TheUsedRangeIsDrawnAtItsDesignedSize) {
  const engine::Workbook book = engine::ReadWorkbook(resources::TemplateBytes());
  const QImage image = Draw(book);
  // Widths 250 + 150 + 150 px. Heights: rows 1-6 are 60+21+17+27+21+17 = 163 px, 91 rows of
  // 15 pt (20 px), ten totals of 19.5 pt (26 px), eight rows of 17.1 pt (23 px), row 80 of
  // 16.5 pt (22 px) and row 118 of 13.5 pt (18 px); hidden row 102 adds nothing.
  EXPECT_EQ(image.size(), QSize(550, 163 + 91 * 20 + 10 * 26 + 8 * 23 + 22 + 18));
  EXPECT_EQ(image.height(), 2467);

  const QColor rose(0xC3, 0x7D, 0x8C), grey(0xEA, 0xEA, 0xEA), silver(0xC0, 0xC0, 0xC0);
  // Row 1: 60 px of dusty rose across the band, the picture at its left end.
  EXPECT_EQ(At(image, 545, 2), rose);
  EXPECT_EQ(At(image, 545, 57), rose);
  EXPECT_NE(At(image, 545, 61), rose);
  EXPECT_NE(At(image, 84, 40), rose);  // the floral picture, anchored in column A
  // White title text centred on the band.
  int white = 0;
  for (int x = 200; x < 350; ++x)
    for (int y = 10; y < 50; ++y) white += At(image, x, y) == QColor(Qt::white);
  EXPECT_GT(white, 100);
  // Input cell B9 (rows 1-8 take 203 px) is light grey with silver lines; column B starts at 250.
  EXPECT_EQ(At(image, 325, 213), grey);
  EXPECT_EQ(At(image, 325, 222), silver);
  EXPECT_EQ(At(image, 399, 213), silver);
  // The Apparel total (row 20, at y 423): double grey lines above and below it.
  EXPECT_EQ(Runs(image, 325, 418, 430, QColor(0x80, 0x80, 0x80)), 2);
  EXPECT_EQ(Runs(image, 325, 443, 455, QColor(0x80, 0x80, 0x80)), 2);
}

TEST_F(TemplateRender, NegativeAmountsShowInRed) {
  engine::automation::Application excel;
  excel.Workbooks().Open("template.xlt", resources::TemplateBytes());
  excel.Worksheets(1).Cells(9, 2).SetValue("$1,234.50");
  excel.Worksheets(1).Cells(9, 3).SetValue("($1,234.50)");
  const QImage image = Draw(excel.Workbooks().Item(1).Model());
  auto reds = [&](int x0, int x1) {
    int count = 0;
    for (int x = x0; x < x1; ++x)
      for (int y = 204; y < 222; ++y) {
        const QColor c = At(image, x, y);
        count += c.red() > 200 && c.green() < 80 && c.blue() < 80;
      }
    return count;
  };
  EXPECT_EQ(reds(251, 399), 0);  // B9: black
  EXPECT_GT(reds(401, 549), 20); // C9: red
  // Right-aligned: the text ends to the right of the cell's middle.
  int rightmost = 0;
  for (int x = 251; x < 399; ++x)
    for (int y = 204; y < 222; ++y)
      if (At(image, x, y).lightness() < 100) rightmost = std::max(rightmost, x);
  EXPECT_GT(rightmost, 360);
}

}  // namespace
}  // namespace quillora
