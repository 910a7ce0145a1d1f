// Pages from a page setup: the settings in effect, header and footer codes, the print
// ranges a workbook names, and the cutting into pages with scale, titles and breaks.
#include <gtest/gtest.h>

#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/print/HeaderFooter.h"
#include "spreadsheet/print/PageLayout.h"

namespace quillora::engine::print {
namespace {

Sheet SheetWithSetup(PrintSetup setup) {
  Sheet sheet;
  sheet.name = "Budget";
  sheet.pageSetup.setup = setup;
  return sheet;
}

TEST(PrintSettingsTest, DefaultsFillWhatTheFileLeavesOut) {
  Sheet bare;
  const PrintSettings settings = EffectiveSettings(bare);
  EXPECT_DOUBLE_EQ(settings.paperWidth, 612);
  EXPECT_DOUBLE_EQ(settings.paperHeight, 792);
  EXPECT_DOUBLE_EQ(settings.left, 54);
  EXPECT_DOUBLE_EQ(settings.top, 72);
  EXPECT_DOUBLE_EQ(settings.footerMargin, 36);
  EXPECT_FALSE(settings.fitToPages);
  EXPECT_EQ(settings.scalePercent, 100);

  PrintSetup a4;
  a4.paperSize = 9;
  a4.options = 0;  // landscape, down then over
  a4.scale = 75;
  a4.headerMargin = 0.3;
  Sheet sheet = SheetWithSetup(a4);
  sheet.pageSetup.leftMargin = 0.25;
  const PrintSettings landscape = EffectiveSettings(sheet);
  EXPECT_TRUE(landscape.landscape);
  EXPECT_NEAR(landscape.paperWidth, 297 * 72 / 25.4, 1e-9);
  EXPECT_NEAR(landscape.paperHeight, 210 * 72 / 25.4, 1e-9);
  EXPECT_DOUBLE_EQ(landscape.left, 18);
  EXPECT_NEAR(landscape.headerMargin, 21.6, 1e-9);
  EXPECT_EQ(landscape.scalePercent, 75);

  // Printer fields marked as never set: paper, scale and orientation are not read.
  PrintSetup unset = a4;
  unset.options = 0x04;
  unset.paperSize = 999;
  unset.scale = 0;
  const PrintSettings fallback = EffectiveSettings(SheetWithSetup(unset));
  EXPECT_FALSE(fallback.landscape);
  EXPECT_DOUBLE_EQ(fallback.paperWidth, 612);
  EXPECT_EQ(fallback.scalePercent, 100);
}

TEST(PrintSettingsTest, SetupsThatCannotBePrintedAreRefusedByName) {
  PrintSetup setup;
  setup.paperSize = 200;
  EXPECT_THROW(EffectiveSettings(SheetWithSetup(setup)), PrintSetupError);
  setup.paperSize = 1;
  setup.scale = 5;
  EXPECT_THROW(EffectiveSettings(SheetWithSetup(setup)), PrintSetupError);
  setup.scale = 100;
  Sheet sheet = SheetWithSetup(setup);
  sheet.pageSetup.leftMargin = 4.5;
  sheet.pageSetup.rightMargin = 4.5;
  try {
    EffectiveSettings(sheet);
    FAIL() << "margins wider than the paper were accepted";
  } catch (const PrintSetupError& error) {
    EXPECT_STREQ(error.what(), "the margins leave no room to print on the paper");
  }
}

TEST(HeaderFooterTest, SectionsFieldsAndFonts) {
  const HeaderFooterSections footer = ParseHeaderFooter("&LWedding Budget&RPage &P of &N");
  ASSERT_EQ(footer.left.size(), 1u);
  EXPECT_EQ(footer.left[0].text, "Wedding Budget");
  EXPECT_TRUE(footer.center.empty());
  ASSERT_EQ(footer.right.size(), 4u);
  FieldValues values{2, 3, "", "", "Wedding Budget", "budget.xls", "/home"};
  std::string right;
  for (const auto& run : footer.right) right += RunText(run, values);
  EXPECT_EQ(right, "Page 2 of 3");

  const HeaderFooterSections header =
      ParseHeaderFooter("Top &\"Times New Roman,Bold Italic\"&14&A && &P+1\n&F&K00FF00&Gend&Bx");
  ASSERT_FALSE(header.center.empty());
  std::string text;
  for (const auto& run : header.center) text += RunText(run, values);
  EXPECT_EQ(text, "Top Wedding Budget & 3\nbudget.xlsendx");
  EXPECT_EQ(header.center[0].font, "");
  const HeaderFooterRun& sheetName = header.center[1];
  EXPECT_EQ(sheetName.field, Field::Sheet);
  EXPECT_EQ(sheetName.font, "Times New Roman");
  EXPECT_EQ(sheetName.points, 14);
  EXPECT_TRUE(sheetName.bold && sheetName.italic);
  EXPECT_FALSE(header.center.back().bold);  // "&B" toggled the font code's bold off
  EXPECT_TRUE(header.center.back().italic);
  EXPECT_TRUE(ParseHeaderFooter("").Empty());
  EXPECT_TRUE(ParseHeaderFooter("&L&R&\"Arial").Empty());  // an unterminated font code ends the text
}

// A workbook of one sheet "Budget" with rows A1:C40, for the ranges a workbook names.
Workbook NamedBook(const char* area, const char* titles) {
  Workbook book = NewWorkbook();
  Sheet sheet;
  sheet.name = "Budget";
  book.sheets.push_back(sheet);
  Sheet other;
  other.name = "Other";
  book.sheets.push_back(other);
  const auto name = [&](BuiltInName code, const char* text) {
    DefinedName defined;
    defined.builtIn = true;
    defined.builtInCode = static_cast<std::uint8_t>(code);
    defined.sheet = 1;
    defined.formula = CompileNameFormula(book, text);
    book.names.push_back(defined);
  };
  if (area) name(BuiltInName::PrintArea, area);
  if (titles) name(BuiltInName::PrintTitles, titles);
  return book;
}

TEST(PrintRangesTest, AreasTitlesAndBreaksComeFromTheWorkbook) {
  const CellRange used{0, 0, 39, 2};
  const PrintRanges plain = FindPrintRanges(NamedBook(nullptr, nullptr), 0, used);
  ASSERT_EQ(plain.areas.size(), 1u);
  EXPECT_EQ(plain.areas[0].rowLast, 39);
  EXPECT_FALSE(plain.titleRows || plain.titleColumns);

  Workbook book = NamedBook("(Budget!$B$2:$C$10,Budget!$A$20:$IV$65536)", "(Budget!$1:$6,Budget!$A:$A)");
  // Breaks before rows 5 and 30 (the second twice) and before column C.
  book.sheets[0].kept.push_back({0x001B, {3, 0, 4, 0, 0, 0, 255, 0, 29, 0, 0, 0, 255, 0, 29, 0, 0, 0, 255, 0}, {}, 0});
  book.sheets[0].kept.push_back({0x001A, {1, 0, 2, 0, 0, 0, 0xFF, 0xFF}, {}, 0});
  const PrintRanges ranges = FindPrintRanges(book, 0, used);
  ASSERT_EQ(ranges.areas.size(), 2u);
  EXPECT_EQ(ranges.areas[0].rowFirst, 1);
  EXPECT_EQ(ranges.areas[0].columnFirst, 1);
  EXPECT_EQ(ranges.areas[1].rowLast, 39);     // cut off after the used range
  EXPECT_EQ(ranges.areas[1].columnLast, 2);
  EXPECT_EQ(ranges.titleRows, (Span{0, 5}));
  EXPECT_EQ(ranges.titleColumns, (Span{0, 0}));
  EXPECT_EQ(ranges.rowBreaks, (std::vector<int>{4, 29}));
  EXPECT_EQ(ranges.columnBreaks, (std::vector<int>{2}));

  EXPECT_THROW(FindPrintRanges(NamedBook("Other!$A$1:$B$2", nullptr), 0, used), PrintSetupError);
  EXPECT_THROW(FindPrintRanges(NamedBook(nullptr, "Budget!$A$1:$B$2"), 0, used), PrintSetupError);
  Workbook damaged = NamedBook(nullptr, nullptr);
  damaged.sheets[0].kept.push_back({0x001B, {9, 0, 1}, {}, 0});
  EXPECT_THROW(FindPrintRanges(damaged, 0, used), PrintSetupError);
}

// Letter at default margins holds 864 x 672 pixels at 100 %.
SheetMeasure Uniform(int rowHeight, int columnWidth, int hiddenRow = -1) {
  return {[=](int row) { return row == hiddenRow ? 0 : rowHeight; }, [=](int) { return columnWidth; }};
}

PrintRanges Area(int lastRow, int lastColumn) { return {{CellRange{0, 0, lastRow, lastColumn}}, {}, {}, {}, {}}; }

std::vector<Span> RowBlocks(const PageLayout& layout) {
  std::vector<Span> blocks;
  for (const Page& page : layout.pages) blocks.push_back(page.rows);
  return blocks;
}

TEST(PageLayoutTest, RowsAndColumnsFillPagesInPageOrder) {
  PrintSettings settings;
  // 100 rows of 20 px: 43 rows fit 864 px; 12 columns of 100 px: 6 fit 672 px.
  PageLayout layout = LayOutPages(settings, Area(99, 11), Uniform(20, 100));
  ASSERT_EQ(layout.pages.size(), 6u);
  EXPECT_EQ(layout.pages[0].rows, (Span{0, 42}));
  EXPECT_EQ(layout.pages[1].rows, (Span{43, 85}));
  EXPECT_EQ(layout.pages[2].rows, (Span{86, 99}));
  EXPECT_EQ(layout.pages[3].columns, (Span{6, 11}));  // down, then over
  settings.overThenDown = true;
  layout = LayOutPages(settings, Area(99, 11), Uniform(20, 100));
  EXPECT_EQ(layout.pages[1].columns, (Span{6, 11}));
  EXPECT_EQ(layout.pages[1].rows, (Span{0, 42}));

  // Half the scale holds twice the rows; a hidden row takes no room.
  settings.scalePercent = 50;
  layout = LayOutPages(settings, Area(99, 0), Uniform(20, 100, 10));
  ASSERT_EQ(layout.pages.size(), 2u);
  EXPECT_EQ(layout.pages[0].rows, (Span{0, 86}));
}

TEST(PageLayoutTest, TitlesRepeatOnLaterPagesAndBreaksStartPages) {
  PrintSettings settings;
  PrintRanges ranges = Area(99, 0);
  ranges.titleRows = Span{0, 2};  // 60 px on every page after the first
  PageLayout layout = LayOutPages(settings, ranges, Uniform(20, 100));
  ASSERT_EQ(layout.pages.size(), 3u);
  EXPECT_FALSE(layout.pages[0].titleRows);
  EXPECT_EQ(layout.pages[0].rows, (Span{0, 42}));
  EXPECT_TRUE(layout.pages[1].titleRows);
  EXPECT_EQ(layout.pages[1].rows, (Span{43, 82}));  // 40 rows beside the titles

  ranges.rowBreaks = {10, 20};
  layout = LayOutPages(settings, ranges, Uniform(20, 100));
  EXPECT_EQ(layout.pages[0].rows, (Span{0, 9}));
  EXPECT_EQ(layout.pages[1].rows, (Span{10, 19}));
  EXPECT_EQ(layout.pages[2].rows, (Span{20, 59}));

  ranges.titleRows = Span{0, 50};  // taller than a page
  EXPECT_THROW(LayOutPages(settings, ranges, Uniform(20, 100)), PrintSetupError);
}

TEST(PageLayoutTest, FittingChoosesTheLargestWholePercentageAndIgnoresBreaks) {
  PrintSettings settings;
  settings.fitToPages = true;
  settings.fitWide = 1;
  settings.fitTall = 2;
  PrintRanges ranges = Area(99, 0);
  ranges.rowBreaks = {5};
  // 100 rows of 20 px on 2 pages: 50 rows of 864 / s px each, so s = 86 %.
  const PageLayout layout = LayOutPages(settings, ranges, Uniform(20, 100));
  EXPECT_EQ(layout.scalePercent, 86);
  EXPECT_EQ(RowBlocks(layout), (std::vector<Span>{{0, 49}, {50, 99}}));
  EXPECT_NEAR(layout.Scale(), 0.645, 1e-12);

  settings.fitTall = 0;  // as many pages tall as needed: only the width counts
  EXPECT_EQ(LayOutPages(settings, Area(99, 11), Uniform(20, 100)).scalePercent, 56);

  settings.fitTall = 1;
  EXPECT_THROW(LayOutPages(settings, Area(9999, 0), Uniform(20, 100)), PrintSetupError);
}

}  // namespace
}  // namespace quillora::engine::print
