// The embedded template's sheet: labels, formulas, input cells, grid.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/numfmt/WorkbookFormats.h"
#include "tests/workbook/TemplateTestSupport.h"

namespace quillora::testing {
namespace {

using engine::CellAddress;

struct SectionRows {
  const char* caption;
  int heading, firstItem, total;
  const char* totalLabel;
  std::vector<std::string> items;
};

std::string Other(int underscores) { return "Other" + std::string(static_cast<std::size_t>(underscores), '_'); }

const std::vector<SectionRows>& ExpectedSections() {
  static const std::vector<SectionRows> sections = {
      {"Apparel", 7, 9, 20, "Total Apparel",
       {"Engagement ring", "Wedding rings", "Bridal gown", "Veil/headpiece", "Shoes", "Jewelry", "Garter",
        "Hosiery", "Groom's tuxedo", "Groom's shoes", Other(23)}},
      {"Decorations", 22, 24, 30, "Total Decorations",
       {"Bows for church pews/other seating", "Table centerpieces (excludes flowers)", "Candles", "Lighting",
        "Balloons", Other(16)}},
      {"Gifts", 32, 34, 39, "Total Gifts",
       {"Attendants", "Bride and groom", "Parents", "Readers/other participants", Other(16)}},
      {"Flowers", 41, 43, 49, "Total Flowers",
       {"Bouquets", "Boutonni\xC3\xA8res", "Corsages", "Ceremony", "Reception", Other(16)}},
      {"Music", 51, 53, 56, "Total Music", {"Musicians for ceremony", "Band/DJ for reception", Other(16)}},
      {"Photography", 58, 60, 66, "Total Photography",
       {"Formals", "Candids", "Extra prints", "Photo albums", "Videography", Other(17)}},
      {"Reception (excludes music and decorations)", 68, 70, 79, "Total Reception",
       {"Room/hall fees", "Tables and chairs", "Food", "Drinks", "Linens", "Cake", "Favors",
        "Staff and gratuities", Other(17)}},
      {"Stationery/Printing", 81, 83, 93, "Total Stationery/Printing",
       {"Invitations", "Announcements", "Thank-You cards", "Personal stationery", "Guest book", "Programs",
        "Reception napkins", "Matchbooks", "Calligraphy", Other(17)}},
      {"Transportation", 95, 97, 101, "Total Transportation",
       {"Limousines/trolleys", "Parking", "Taxis", Other(17)}},
      {"Other Expenses", 104, 106, 117, "Total Other Expenses",
       {"Officiant", "Church/ceremony site fee", "Wedding coordinator", "Rehearsal dinner", "Engagement party",
        "Showers", "Salon appointments", "Bachelor/ette parties", "Brunch", "Hotel rooms", Other(16)}},
  };
  return sections;
}

TEST(TemplateContent, OneVisibleSheetAndTheTwoReplacedColours) {
  const engine::Workbook& book = EmbeddedTemplate();
  ASSERT_EQ(book.sheets.size(), 1u);
  EXPECT_EQ(book.sheets[0].name, "Wedding Budget");
  EXPECT_EQ(book.sheets[0].visibility, engine::SheetVisibility::Visible);
  EXPECT_FALSE(book.date1904);
  EXPECT_EQ(book.palette.At(14), (engine::Rgb{0xEA, 0xEA, 0xEA}));
  EXPECT_EQ(book.palette.At(45), (engine::Rgb{0xC3, 0x7D, 0x8C}));
  // Every other entry keeps the standard colour (the borders need #C0C0C0 and #808080).
  for (std::uint16_t index = 8; index < 64; ++index)
    if (index != 14 && index != 45) {
      EXPECT_EQ(book.palette.At(index), engine::Palette::Standard()[index - 8u]) << "palette index " << index;
    }
  EXPECT_EQ(book.fonts.at(0).name, "Arial");
  EXPECT_EQ(book.fonts.at(0).height, 200);
}

// Every text cell of the sheet, and nothing else holds text.
TEST(TemplateContent, EveryLabelAndNoOtherText) {
  std::map<CellAddress, std::string> expected = {
      {At('A', 1), "Wedding Budget"}, {At('B', 3), "Estimated"}, {At('C', 3), "Actual"},
      {At('A', 4), "Total Expenses"}};
  for (const SectionRows& section : ExpectedSections()) {
    expected[At('B', section.heading)] = "Estimated";
    expected[At('C', section.heading)] = "Actual";
    expected[At('A', section.heading + 1)] = section.caption;
    for (std::size_t k = 0; k < section.items.size(); ++k)
      expected[At('A', section.firstItem + static_cast<int>(k))] = section.items[k];
    expected[At('A', section.total)] = section.totalLabel;
  }
  std::map<CellAddress, std::string> actual;
  for (const auto& [at, cell] : TemplateSheet().cells)
    if (const auto* text = std::get_if<std::string>(&cell.value); text && !cell.formula) actual[at] = *text;
  for (const auto& [at, text] : expected) {
    const auto found = actual.find(at);
    ASSERT_NE(found, actual.end()) << "no label in " << engine::CellName(at);
    EXPECT_EQ(found->second, text) << engine::CellName(at);
  }
  EXPECT_EQ(actual.size(), expected.size()) << "unexpected text cells";
}

TEST(TemplateContent, SectionTotalsAndGrandTotalsAreTheFormulas) {
  std::map<CellAddress, std::string> expected = {
      {At('B', 4), "SUM(B20,B30,B39,B49,B56,B66,B79,B93,B101,B117)"},
      {At('C', 4), "SUM(C20,C30,C39,C49,C56,C66,C79,C93,C101,C117)"},
      {At('B', 20), "SUM(B9:B19)"},   {At('C', 20), "SUM(C9:C19)"},
      {At('B', 30), "SUM(B24:B29)"},  {At('C', 30), "SUM(C24:C29)"},
      {At('B', 39), "SUM(B34:B38)"},  {At('C', 39), "SUM(C34:C38)"},
      {At('B', 49), "SUM(B43:B48)"},  {At('C', 49), "SUM(C43:C48)"},
      {At('B', 56), "SUM(B53:B55)"},  {At('C', 56), "SUM(C53:C55)"},
      {At('B', 66), "SUM(B60:B65)"},  {At('C', 66), "SUM(C60:C65)"},
      {At('B', 79), "SUM(B70:B78)"},  {At('C', 79), "SUM(C70:C78)"},
      {At('B', 93), "SUM(B83:B92)"},  {At('C', 93), "SUM(C83:C92)"},
      {At('B', 101), "SUM(B97:B100)"}, {At('C', 101), "SUM(C97:C100)"},
      {At('B', 117), "SUM(B106:B116)"}, {At('C', 117), "SUM(C106:C116)"},
  };
  std::size_t formulas = 0;
  for (const auto& [at, cell] : TemplateSheet().cells) {
    if (!cell.formula) continue;
    ++formulas;
    const auto found = expected.find(at);
    ASSERT_NE(found, expected.end()) << "unexpected formula in " << engine::CellName(at);
    EXPECT_EQ(engine::PrintFormula(cell.formula->tokens), found->second) << engine::CellName(at);
    // A reader that does not recalculate shows $0.00 on the empty template.
    EXPECT_EQ(cell.value, engine::Value(0.0)) << engine::CellName(at);
  }
  EXPECT_EQ(formulas, expected.size());
}

TEST(TemplateContent, TheInputCellsAreExactlyTheEmptyItemRowsOfBAndC) {
  const std::string currency = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";
  int inputs = 0;
  for (const SectionRows& section : ExpectedSections()) {
    for (int row = section.firstItem; row < section.total; ++row) {
      for (char column : {'B', 'C'}) {
        const engine::Cell* cell = FindCell(column, row);
        if (cell == nullptr) continue;
        ++inputs;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(cell->value)) << column << row;
        EXPECT_FALSE(cell->formula) << column << row;
        const auto& xf = EmbeddedTemplate().cellFormats.at(cell->xf);
        EXPECT_EQ(engine::NumberFormatCode(EmbeddedTemplate(), xf.format), currency) << column << row;
      }
    }
    EXPECT_EQ(section.total - section.firstItem, static_cast<int>(section.items.size())) << section.caption;
  }
  EXPECT_EQ(inputs, 142);
}

TEST(TemplateContent, RowHeightsHiddenRowAndLastRecordedRow) {
  // Heights in twips; rows not listed keep the default 12.75 pt.
  std::map<int, int> expected = {{1, 900}, {2, 315}, {3, 255}, {4, 405}, {5, 315}, {6, 255},
                                 {21, 342}, {31, 342}, {40, 342}, {50, 342}, {57, 342}, {67, 342},
                                 {80, 330}, {94, 342}, {103, 342}, {118, 270}};
  for (const SectionRows& section : ExpectedSections()) {
    for (int row = section.heading; row < section.total; ++row) expected[row] = 300;
    expected[section.total] = 390;
  }
  const engine::Sheet& sheet = TemplateSheet();
  EXPECT_EQ(sheet.defaultRowHeight, 255);
  for (int row = 1; row <= 118; ++row) {
    const auto info = sheet.rows.find(row - 1);
    if (row == 102) {
      ASSERT_NE(info, sheet.rows.end());
      EXPECT_TRUE(info->second.hidden) << "row 102 must be hidden";
      continue;
    }
    const int height = info == sheet.rows.end() ? sheet.defaultRowHeight : info->second.height;
    const auto want = expected.find(row);
    EXPECT_EQ(height, want == expected.end() ? 255 : want->second) << "row " << row;
    if (info != sheet.rows.end()) {
      EXPECT_FALSE(info->second.hidden) << "row " << row;
    }
  }
  // Row 118 is the last the file records; nothing lies below it or right of column C.
  EXPECT_EQ(sheet.rows.rbegin()->first, 117);
  for (const auto& [at, cell] : sheet.cells) {
    EXPECT_LE(at.row, 116) << engine::CellName(at);
    EXPECT_LE(at.column, 2) << engine::CellName(at);
  }
}

TEST(TemplateContent, ColumnWidthsAndTheOneMerge) {
  const engine::Sheet& sheet = TemplateSheet();
  std::map<int, int> widths;
  for (const engine::ColumnInfo& info : sheet.columns)
    for (int column = info.first; column <= info.last; ++column) widths[column] = info.width;
  EXPECT_EQ(widths, (std::map<int, int>{{0, 9142}, {1, 5485}, {2, 5485}}));
  ASSERT_EQ(sheet.merges.size(), 1u);
  EXPECT_EQ(sheet.merges[0].First(), At('A', 1));
  EXPECT_EQ(sheet.merges[0].Last(), At('C', 1));
  EXPECT_FALSE(sheet.window.options & 0x0002) << "gridlines must be hidden";
}

}  // namespace
}  // namespace quillora::testing
