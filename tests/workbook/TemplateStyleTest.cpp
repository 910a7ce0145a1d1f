// The embedded template's cell styles: one cell of each role and of each exception, compared
// with the listing `quillora-cli dump` gives for it (format, font, fill, borders, alignment).
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "tests/workbook/TemplateTestSupport.h"

namespace quillora::testing {
namespace {

const char* const kCurrency = "format=\"\\\"$\\\"#,##0.00_);[Red]\\\\(\\\"$\\\"#,##0.00\\\\)\"";
const char* const kGeneral = "format=\"General\"";
const char* const kNoBorders = "left=none\tright=none\ttop=none\tbottom=none";

// The dump's columns after the value, by cell name.
std::map<std::string, std::string> Looks() {
  std::ostringstream out;
  engine::DumpWorkbook(EmbeddedTemplate(), out);
  std::map<std::string, std::string> looks;
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("sheet ", 0) == 0) continue;
    std::size_t tab = line.find('\t');
    const std::string name = line.substr(0, tab);
    for (int skip = 0; skip < 2; ++skip) tab = line.find('\t', tab + 1);
    looks[name] = line.substr(tab + 1);
  }
  return looks;
}

struct Expected {
  const char* cell;
  const char* role;
  std::string format, font, fill, borders, align;
};

std::string Join(const Expected& e) {
  return e.format + "\t" + e.font + "\t" + e.fill + "\t" + e.borders + "\t" + e.align;
}

TEST(TemplateStyle, OneCellOfEachRoleAndException) {
  const std::string tahoma10 = "font=\"Tahoma\" 10 regular upright auto";
  const std::string tahoma10Bold = "font=\"Tahoma\" 10 bold upright auto";
  const std::string rose10Bold = "font=\"Tahoma\" 10 bold upright #C37D8C";
  const std::string inputMiddle = "left=thin #C0C0C0\tright=thin #C0C0C0\ttop=thin #C0C0C0\tbottom=thin #C0C0C0";
  const std::string inputFirst = "left=thin #C0C0C0\tright=thin #C0C0C0\ttop=thin #808080\tbottom=thin #C0C0C0";
  const std::string inputLast = "left=thin #C0C0C0\tright=thin #C0C0C0\ttop=thin #C0C0C0\tbottom=none";
  const std::string totals = "left=thin #C0C0C0\tright=thin #C0C0C0\ttop=double #808080\tbottom=double #808080";
  const std::string headingRule = "left=none\tright=none\ttop=none\tbottom=medium #C37D8C";
  const std::string titleRule = "left=none\tright=none\ttop=medium #C37D8C\tbottom=none";
  const std::string grandRule = "left=none\tright=none\ttop=thin #C37D8C\tbottom=thin #C37D8C";
  const Expected expected[] = {
      {"A1", "title band", kGeneral, "font=\"Monotype Corsiva\" 24 regular upright #FFFFFF", "fill=solid #C37D8C",
       kNoBorders, "align=center center indent0"},
      {"C1", "title band (merged)", kGeneral, "font=\"Monotype Corsiva\" 24 regular upright #FFFFFF",
       "fill=solid #C37D8C", kNoBorders, "align=center center indent0"},
      {"B3", "grand-total heading", kGeneral, "font=\"Tahoma\" 11 bold upright auto", "fill=none", kNoBorders,
       "align=right center indent1"},
      {"A4", "grand-total label", kGeneral, "font=\"Tahoma\" 11 bold upright auto", "fill=none", grandRule,
       "align=right center indent1"},
      {"B4", "grand total", kCurrency, "font=\"Tahoma\" 11 bold upright #C37D8C", "fill=none", grandRule,
       "align=right center indent1"},
      {"A5", "empty A5", kGeneral, "font=\"Times New Roman\" 12 bold upright #808080", "fill=none", kNoBorders,
       "align=right bottom indent0"},
      {"C5", "empty B5/C5", kCurrency, "font=\"Times New Roman\" 12 bold upright #FF0000", "fill=none", kNoBorders,
       "align=right bottom indent0"},
      {"B7", "row 7 heading: no rule", kGeneral, tahoma10Bold, "fill=none", kNoBorders, "align=right center indent1"},
      {"A22", "heading rule in A", kGeneral, tahoma10Bold, "fill=none", headingRule, "align=general center indent0"},
      {"C22", "section heading", kGeneral, tahoma10Bold, "fill=none", headingRule, "align=right center indent1"},
      {"B104", "row 104 heading: no indent", kGeneral, tahoma10Bold, "fill=none", headingRule,
       "align=right center indent0"},
      {"A8", "row 8 title: grey bottom rule", kGeneral, tahoma10Bold, "fill=solid #FFFFFF",
       "left=none\tright=none\ttop=medium #C37D8C\tbottom=thin #808080", "align=left center indent1"},
      {"A23", "section title", kGeneral, tahoma10Bold, "fill=solid #FFFFFF", titleRule, "align=left center indent1"},
      {"C105", "section title, column C", kGeneral, tahoma10Bold, "fill=solid #FFFFFF", titleRule,
       "align=left center indent1"},
      {"A24", "first item label", kGeneral, tahoma10, "fill=none",
       "left=none\tright=none\ttop=thin #808080\tbottom=none", "align=left center indent1"},
      {"A25", "item label", kGeneral, tahoma10, "fill=none", kNoBorders, "align=left center indent1"},
      {"B24", "first input row", kCurrency, tahoma10, "fill=solid #EAEAEA", inputFirst, "align=right center indent1"},
      {"C25", "input cell", kCurrency, tahoma10, "fill=solid #EAEAEA", inputMiddle, "align=right center indent1"},
      {"B29", "last input row", kCurrency, tahoma10, "fill=solid #EAEAEA", inputLast, "align=right center indent1"},
      {"B106", "Other Expenses input: no indent", kCurrency, tahoma10, "fill=solid #EAEAEA", inputFirst,
       "align=right center indent0"},
      {"C110", "Other Expenses input", kCurrency, tahoma10, "fill=solid #EAEAEA", inputMiddle,
       "align=right center indent0"},
      {"C116", "Other Expenses last input", kCurrency, tahoma10, "fill=solid #EAEAEA", inputLast,
       "align=right center indent0"},
      {"A20", "total label", kGeneral, tahoma10Bold, "fill=none", kNoBorders, "align=left center indent1"},
      {"B20", "section total", kCurrency, rose10Bold, "fill=none", totals, "align=right center indent1"},
      {"C30", "Decorations total: no indent", kCurrency, rose10Bold, "fill=none", totals, "align=right center indent0"},
      {"B117", "Other Expenses total: no indent", kCurrency, rose10Bold, "fill=none", totals,
       "align=right center indent0"},
      {"A21", "gap row label", kGeneral, "font=\"Arial\" 9 bold upright auto", "fill=none", kNoBorders,
       "align=general bottom indent0"},
      {"B80", "gap row amount", kCurrency, "font=\"Arial\" 9 bold upright #FF0000", "fill=none", kNoBorders,
       "align=right bottom indent0"},
      {"C94", "row 94 amount", kCurrency, "font=\"Arial\" 10 bold upright auto", "fill=none", kNoBorders,
       "align=general bottom indent0"},
  };
  const auto looks = Looks();
  for (const Expected& e : expected) {
    const auto found = looks.find(e.cell);
    ASSERT_NE(found, looks.end()) << e.cell << " (" << e.role << ") has no format";
    EXPECT_EQ(found->second, Join(e)) << e.cell << " (" << e.role << ")";
  }
}

TEST(TemplateStyle, EmptyRowsWithoutFormatsStayUnformatted) {
  const auto looks = Looks();
  for (const char* cell : {"A2", "B2", "A6", "A67", "B67", "A94", "A102", "B103", "A118", "C118", "D9"})
    EXPECT_EQ(looks.count(cell), 0u) << cell << " should hold nothing";
}

// Estimated and actual columns look the same on every row.
TEST(TemplateStyle, ColumnsBAndCMatchOnEveryRow) {
  const auto& cells = TemplateSheet().cells;
  for (int row = 1; row <= 117; ++row) {
    const auto b = cells.find(At('B', row));
    const auto c = cells.find(At('C', row));
    ASSERT_EQ(b == cells.end(), c == cells.end()) << "row " << row;
    if (b != cells.end()) {
      EXPECT_EQ(b->second.xf, c->second.xf) << "row " << row;
    }
  }
}

}  // namespace
}  // namespace quillora::testing
