// The dump listing is a stable interface for scripts: pin its exact form.
#include <gtest/gtest.h>

#include <sstream>

#include "spreadsheet/dump/Dump.h"
#include "tests/spreadsheet/support/TestWorkbook.h"

namespace quillora::engine {
namespace {

std::string LineFor(const std::string& listing, const std::string& address) {
  std::istringstream in(listing);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(address + "\t", 0) == 0) return line;
  return "";
}

TEST(Dump, ListsSheetsAndCellsInAStableForm) {
  std::ostringstream out;
  DumpWorkbook(testing::BuildTestWorkbook(), out);
  const std::string listing = out.str();
  EXPECT_EQ(listing.rfind("sheet 1 \"Wedding Budget\" worksheet visible\n", 0), 0u);
  EXPECT_NE(listing.find("\nsheet 2 \"Zweites Blatt \xC3\xA4\" worksheet hidden\n"), std::string::npos);
  EXPECT_EQ(LineFor(listing, "A1"),
            "A1\ttext\t\"Wedding Budget\"\tformat=\"General\"\tfont=\"Monotype Corsiva\" 24 regular upright #FFFFFF"
            "\tfill=solid #C37D8C\tleft=none\tright=none\ttop=none\tbottom=none\talign=center center indent0");
  EXPECT_EQ(LineFor(listing, "B4"),
            "B4\tformula:number\t1701.5\tformat=\"\\\"$\\\"#,##0.00_);[Red]\\\\(\\\"$\\\"#,##0.00\\\\)\""
            "\tfont=\"Tahoma\" 11 bold upright #C37D8C\tfill=none\tleft=medium #C0C0C0\tright=dashed #C0C0C0"
            "\ttop=double #808080\tbottom=double #808080\talign=right center indent0");
  EXPECT_EQ(LineFor(listing, "C10").substr(0, 12), "C10\tblank\t-\t");
  EXPECT_EQ(LineFor(listing, "C12").substr(0, 18), "C12\terror\t#DIV/0!\t");
  EXPECT_EQ(LineFor(listing, "A14").substr(0, 20), "A14\tformula:empty\t-\t");
  EXPECT_NE(LineFor(listing, "A9").find("\tfill=pattern3 #0000FF #FFFF00\t"), std::string::npos);
}

TEST(Dump, CellNamesCoverEveryColumn) {
  EXPECT_EQ(CellName({0, 0}), "A1");
  EXPECT_EQ(CellName({8, 25}), "Z9");
  EXPECT_EQ(CellName({0, 26}), "AA1");
  EXPECT_EQ(CellName({65535, 255}), "IV65536");
}

}  // namespace
}  // namespace quillora::engine
