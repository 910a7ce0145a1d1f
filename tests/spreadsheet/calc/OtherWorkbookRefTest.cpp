// References to other workbooks: their values cannot be read, so a recalculation keeps the
// cached results of the formulas that use them.
#include <gtest/gtest.h>

#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"
#include "spreadsheet/formula/FormulaTokens.h"

namespace quillora::engine {
namespace {

// tRef3d (value class) to an absolute cell through EXTERNSHEET entry `ixti`.
std::vector<std::uint8_t> Ref3d(std::uint16_t ixti, std::uint16_t row, std::uint8_t column) {
  return {static_cast<std::uint8_t>(ptg::kRef3d | 0x40), static_cast<std::uint8_t>(ixti), static_cast<std::uint8_t>(ixti >> 8),
          static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(row >> 8), column, 0};
}

void PutFormula(Sheet& sheet, CellAddress at, std::vector<std::uint8_t> tokens, Value cached) {
  Cell& cell = sheet.cells[at];
  cell.value = std::move(cached);
  cell.formula = Formula{std::move(tokens), {}, 0, 0, {}};
}

TEST(OtherWorkbookRefTest, RecalculationKeepsTheirCachedValuesAndStillRefusesDeletedSheets) {
  Workbook book = NewWorkbook();
  Sheet& sheet = book.sheets.emplace_back();
  sheet.name = "Budget";
  // An external SUPBOOK ([other.xls] with one sheet) first, then the workbook's own.
  book.kept.push_back({0x01AE, {1, 0, 9, 0, 0, 'o', 't', 'h', 'e', 'r', '.', 'x', 'l', 's', 6, 0, 0, 'S', 'h', 'e', 'e', 't', '1'}, {}, 0x0085});
  book.kept.push_back({0x01AE, {1, 0, 0x01, 0x04}, {}, 0x0085});
  book.externSheets = {{0, 0, 0}, {1, 0, 0}, {1, -1, -1}};
  sheet.cells[{0, 1}].value = 3.0;  // B1
  PutFormula(sheet, {0, 0}, Ref3d(0, 0, 0), 12.5);  // A1 = '[other.xls]Sheet1'!$A$1
  std::vector<std::uint8_t> plusOne = Ref3d(0, 4, 2);
  plusOne.insert(plusOne.end(), {ptg::kInt, 1, 0, ptg::kAdd});
  PutFormula(sheet, {1, 0}, plusOne, 99.0);         // A2 = '[other.xls]Sheet1'!$C$5+1
  PutFormula(sheet, {2, 0}, Ref3d(1, 0, 1), 0.0);   // A3 = Budget!$B$1
  PutFormula(sheet, {3, 0}, Ref3d(2, 0, 1), 8.0);   // A4 = a reference to a deleted sheet

  const RecalcSummary summary = RecalculateWorkbook(book);
  EXPECT_EQ(summary.keptCached, 2u);
  const Workbook read = ReadWorkbook(WriteWorkbook(book));
  const auto& cells = read.sheets[0].cells;
  EXPECT_EQ(cells.at({0, 0}).value, Value(12.5));
  EXPECT_EQ(cells.at({1, 0}).value, Value(99.0));
  EXPECT_EQ(cells.at({2, 0}).value, Value(3.0));
  EXPECT_EQ(cells.at({3, 0}).value, Value(ErrorCode::Ref));
}

}  // namespace
}  // namespace quillora::engine
