// The template's sheet on pages and as a PDF, and other page setups laid out on the same
// sheet: landscape paper, a fixed scale, a print area, manual breaks, headings, gridlines.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <regex>

#include "resources/resources.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/render/PageOutput.h"

namespace quillora::render {
namespace {

namespace print = engine::print;

engine::Workbook Template() { return engine::ReadWorkbook(resources::TemplateBytes()); }

PrintContext Context() { return {QStringLiteral("budget.xls"), QStringLiteral("/tmp"), QDateTime::currentDateTime()}; }

// The page count a PDF's page tree states.
int PdfPageCount(const std::vector<std::uint8_t>& pdf) {
  const std::string text(pdf.begin(), pdf.end());
  std::smatch match;
  if (!std::regex_search(text, match, std::regex("/Type /Pages[^>]*/Count (\\d+)"))) return -1;
  return std::stoi(match[1]);
}

TEST(SheetPagesTest, TheTemplatePrintsOnThreeLetterPagesWithItsTitlesOnEach) {
  const engine::Workbook book = Template();
  const SheetPages pages(book, 0, Context());
  ASSERT_EQ(pages.PageCount(), 3);
  const print::PageLayout& layout = pages.Layout();
  EXPECT_LT(layout.scalePercent, 100);
  EXPECT_EQ(layout.pages[0].rows.first, 0);
  EXPECT_FALSE(layout.pages[0].titleRows);
  for (int i = 1; i < 3; ++i) {
    EXPECT_TRUE(layout.pages[i].titleRows);
    EXPECT_EQ(layout.pages[i].rows.first, layout.pages[i - 1].rows.last + 1);
  }
  EXPECT_GE(layout.pages[2].rows.last, 116);  // through the Other Expenses total
  EXPECT_EQ(pages.PaperLayout().pageSize().id(), QPageSize::Letter);
  EXPECT_EQ(pages.PaperLayout().orientation(), QPageLayout::Portrait);

  const std::vector<std::uint8_t> pdf = PagesToPdf(pages, QStringLiteral("Wedding Budget"));
  ASSERT_GT(pdf.size(), 4u);
  EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 5), "%PDF-");
  EXPECT_EQ(PdfPageCount(pdf), 3);
  EXPECT_NE(std::string(pdf.begin(), pdf.end()).find("/FontFile2"), std::string::npos) << "fonts are not embedded";
}

TEST(SheetPagesTest, OtherSetupsLayOutAsStored) {
  engine::Workbook book = Template();
  engine::Sheet& sheet = book.sheets[0];
  sheet.sheetOptions = static_cast<std::uint16_t>(*sheet.sheetOptions & ~engine::kSheetFitToPage);
  sheet.pageSetup.setup->paperSize = 9;               // A4
  sheet.pageSetup.setup->options &= ~std::uint16_t{2};  // landscape
  sheet.pageSetup.setup->scale = 60;
  sheet.pageSetup.printGridlines = true;
  sheet.pageSetup.printHeadings = true;
  sheet.pageSetup.header = "&C&A, &F";
  engine::DefinedName area;
  area.builtIn = true;
  area.builtInCode = static_cast<std::uint8_t>(engine::BuiltInName::PrintArea);
  area.sheet = 1;
  area.formula = engine::CompileNameFormula(book, "'Wedding Budget'!$A$1:$C$40");
  book.names.push_back(area);
  sheet.kept.push_back({0x001B, {1, 0, 19, 0, 0, 0, 255, 0}, {}, 0});  // a page starts at row 20

  const SheetPages pages(book, 0, Context());
  EXPECT_EQ(pages.Layout().scalePercent, 60);
  ASSERT_EQ(pages.PageCount(), 2);
  EXPECT_EQ(pages.Layout().pages[0].rows, (print::Span{0, 18}));
  EXPECT_EQ(pages.Layout().pages[1].rows, (print::Span{19, 39}));
  EXPECT_TRUE(pages.Layout().pages[1].titleRows);
  EXPECT_EQ(pages.PaperLayout().pageSize().id(), QPageSize::A4);
  EXPECT_EQ(pages.PaperLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(PdfPageCount(PagesToPdf(pages, QString())), 2);
}

TEST(SheetPagesTest, ASetupThatCannotBeHonouredIsOneLine) {
  engine::Workbook book = Template();
  book.sheets[0].pageSetup.setup->paperSize = 500;
  try {
    SheetPages pages(book, 0, Context());
    FAIL() << "an unknown paper was laid out";
  } catch (const print::PrintSetupError& error) {
    EXPECT_EQ(std::string(error.what()), "paper size code 500 is not a known paper");
  }
  // Titles taller than a page at 100 %: no page could hold a row beside them.
  book = Template();
  book.sheets[0].sheetOptions = std::uint16_t{0};
  book.names[0].formula = engine::CompileNameFormula(book, "'Wedding Budget'!$1:$60");
  EXPECT_THROW(SheetPages(book, 0, Context()), print::PrintSetupError);
}

}  // namespace
}  // namespace quillora::render
