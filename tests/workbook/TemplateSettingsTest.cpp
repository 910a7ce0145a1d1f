// The embedded template's settings besides its cells: print titles, page setup and footer,
// window, calculation, ignored error checks, the template flag and the floral picture.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "spreadsheet/calc/WorkbookReferences.h"
#include "tests/workbook/TemplateTestSupport.h"

namespace quillora::testing {
namespace {

using Range = decltype(engine::IgnoredErrors::ranges)::value_type;

TEST(TemplateSettings, MarkedAsTemplateWithPrintTitlesOnTheSheet) {
  const engine::Workbook& book = EmbeddedTemplate();
  EXPECT_TRUE(book.isTemplate);
  EXPECT_FALSE(book.protection);
  EXPECT_FALSE(TemplateSheet().protection);
  ASSERT_EQ(book.names.size(), 1u);
  const engine::DefinedName& titles = book.names[0];
  EXPECT_EQ(titles.DisplayName(), "Print_Titles");
  EXPECT_EQ(titles.sheet, 1) << "Print_Titles belongs to the sheet";
  EXPECT_EQ(engine::NameFormulaText(book, titles), "'Wedding Budget'!$1:$6");
}

TEST(TemplateSettings, PageSetupAndFooter) {
  const engine::Sheet& sheet = TemplateSheet();
  const engine::PageSetup& page = sheet.pageSetup;
  EXPECT_EQ(page.footer, "&LWedding Budget&RPage &P of &N");
  EXPECT_EQ(page.header.value_or(""), "");
  EXPECT_EQ(page.centerHorizontally, true);
  EXPECT_EQ(page.centerVertically.value_or(false), false);
  EXPECT_EQ(page.printGridlines.value_or(false), false);
  EXPECT_EQ(page.printHeadings.value_or(false), false);
  EXPECT_FALSE(page.leftMargin || page.rightMargin || page.topMargin || page.bottomMargin)
      << "page margins stay the defaults";
  ASSERT_TRUE(page.setup);
  const engine::PrintSetup& setup = *page.setup;
  EXPECT_EQ(setup.paperSize, 1) << "Letter";
  EXPECT_TRUE(setup.Portrait());
  EXPECT_FALSE(setup.OverThenDown());
  EXPECT_FALSE(setup.UseFirstPageNumber());
  EXPECT_EQ(setup.fitWidth, 1);
  EXPECT_EQ(setup.fitHeight, 3);
  EXPECT_EQ(setup.scale, 90);
  EXPECT_EQ(setup.resolution, 600);
  EXPECT_EQ(setup.verticalResolution, 600);
  EXPECT_EQ(setup.copies, 1);
  EXPECT_DOUBLE_EQ(setup.headerMargin, 0.5);
  EXPECT_DOUBLE_EQ(setup.footerMargin, 0.5);
  ASSERT_TRUE(sheet.sheetOptions);
  EXPECT_TRUE(*sheet.sheetOptions & engine::kSheetFitToPage) << "fit to pages must be in effect";
}

TEST(TemplateSettings, WindowCalculationAndIgnoredChecks) {
  const engine::Sheet& sheet = TemplateSheet();
  EXPECT_FALSE(sheet.window.ShowGridlines());
  EXPECT_TRUE(sheet.window.ShowHeadings());
  EXPECT_TRUE(sheet.window.ShowZeros());
  EXPECT_FALSE(sheet.window.FrozenPanes());
  EXPECT_FALSE(sheet.pane);
  EXPECT_TRUE(!sheet.zoom || sheet.zoom->first == sheet.zoom->second) << "zoom 100 %";
  ASSERT_EQ(sheet.selections.size(), 1u);
  EXPECT_EQ(sheet.selections[0].active, At('B', 9));
  for (const Range& range : sheet.selections[0].ranges) {
    EXPECT_EQ(range.First(), At('B', 9));
    EXPECT_EQ(range.Last(), At('B', 9));
  }
  ASSERT_TRUE(sheet.calculation);
  EXPECT_TRUE(sheet.calculation->Automatic());
  EXPECT_TRUE(sheet.calculation->a1References);
  EXPECT_FALSE(sheet.calculation->iteration);
  EXPECT_TRUE(sheet.calculation->recalcBeforeSave);

  std::vector<Range> ranges;
  for (const engine::IgnoredErrors& ignored : sheet.ignoredErrors) {
    EXPECT_TRUE(ignored.flags & engine::kIgnoreEmptyCellReference);
    ranges.insert(ranges.end(), ignored.ranges.begin(), ignored.ranges.end());
  }
  std::vector<Range> expected;
  for (int row : {20, 30, 39, 49, 56, 66, 79, 93, 101, 117})
    expected.push_back(Range::FromCorners(At('B', row), At('C', row)));
  EXPECT_EQ(ranges, expected);
}

TEST(TemplateSettings, FloralPictureAtTheLeftOfTheTitleBand) {
  const engine::Workbook& book = EmbeddedTemplate();
  ASSERT_EQ(TemplateSheet().pictures.size(), 1u);
  const engine::SheetPicture& picture = TemplateSheet().pictures[0];
  EXPECT_EQ(picture.name, "floral");
  EXPECT_EQ(picture.description, "Floral Arrangement");
  const engine::Anchor& a = picture.anchor;
  EXPECT_EQ((std::vector<int>{a.col1, a.dx1, a.row1, a.dy1, a.col2, a.dx2, a.row2, a.dy2}),
            (std::vector<int>{0, 70, 0, 43, 0, 623, 2, 136}));
  ASSERT_GE(picture.blipIndex, 1);
  ASSERT_LE(static_cast<std::size_t>(picture.blipIndex), book.pictures.blips.size());
  const engine::Blip& blip = book.pictures.blips[static_cast<std::size_t>(picture.blipIndex) - 1];
  EXPECT_EQ(blip.kind, engine::BlipKind::Jpeg);
  std::ifstream file(QUILLORA_SOURCE_DIR "/resources/floral.jpg", std::ios::binary);
  const std::vector<std::uint8_t> floral((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(blip.bytes, floral) << "the picture is resources/floral.jpg unchanged";
}

}  // namespace
}  // namespace quillora::testing
