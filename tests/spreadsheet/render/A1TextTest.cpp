// One reading and writing of A1 addresses for every caller.
#include <gtest/gtest.h>

#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/FormulaTokens.h"
#include "spreadsheet/render/RenderRange.h"

namespace quillora::engine {
namespace {

TEST(A1TextTest, EveryColumnAndTheRowLimitsReadBackAsWritten) {
  for (int column = 0; column <= kLastColumn; ++column) {
    for (int row : {0, 9, kLastRow}) {
      const std::string text = CellText(row, column, column % 2 == 0, row == 9);
      std::size_t pos = 0;
      const auto cell = ReadA1Cell(text, pos);
      ASSERT_TRUE(cell.has_value()) << text;
      EXPECT_EQ(pos, text.size()) << text;
      EXPECT_EQ(cell->row, row);
      EXPECT_EQ(cell->column, column);
      EXPECT_EQ(cell->rowAbsolute, column % 2 == 0) << text;
      EXPECT_EQ(cell->columnAbsolute, row == 9) << text;
    }
  }
  EXPECT_EQ(ColumnLetters(25), "Z");
  EXPECT_EQ(ColumnLetters(26), "AA");
  EXPECT_EQ(ColumnLetters(255), "IV");
}

TEST(A1TextTest, RangesAreCellsOrPairsOfCellsInOrder) {
  EXPECT_EQ(ParseA1Range("B9"), (CellRange{8, 1, 8, 1}));
  EXPECT_EQ(ParseA1Range("c118:a1"), (CellRange{0, 0, 117, 2}));
  EXPECT_EQ(ParseA1Range("$B$3:A1"), (CellRange{0, 0, 2, 1}));
  EXPECT_EQ(ParseA1Range("A65536:IV1"), (CellRange{0, 0, kLastRow, kLastColumn}));
  for (const char* bad : {"", "=A1", "=A1:B2", " A1", "A1 ", "A1:", ":A1", "A1:B2:C3", "A0", "IW1",
                          "A65537", "AAAA1", "A", "1", "A:A", "1:1", "Sheet1!A1", "A1B", "$$A1",
                          "A1+B2", "SUM(A1)"})
    EXPECT_FALSE(ParseA1Range(bad).has_value()) << bad;
  EXPECT_EQ(RangeText(*ParseA1Range("B3:A1")), "A1:B3");
  EXPECT_EQ(RangeText(*ParseA1Range("$D$7")), "D7");
}

// The renderer's range option and the formula compiler read cells by the same rule.
TEST(A1TextTest, RendererAndCompilerFollowTheSameRule) {
  for (const char* text : {"=A1:B2", "A:A", "A1 "})
    EXPECT_THROW(render::ParseRange(text), std::runtime_error) << text;
  EXPECT_EQ(render::ParseRange("b3:A1"), (CellRange{0, 0, 2, 1}));
  for (const char* text : {"A1", "$IV$65536", "iv1", "B3:A1"}) {
    const auto tokens = DecodeFormula(CompileFormula(text));
    ASSERT_EQ(tokens.size(), 1u) << text;
    const auto range = ParseA1Range(text);
    ASSERT_TRUE(range.has_value()) << text;
    EXPECT_EQ(tokens[0].first.row, range->rowFirst) << text;
    EXPECT_EQ(tokens[0].first.column, range->columnFirst) << text;
  }
  for (const char* text : {"IW1", "A65537", "A0"})
    EXPECT_THROW(CompileFormula(text), FormulaError) << text;
}

}  // namespace
}  // namespace quillora::engine
