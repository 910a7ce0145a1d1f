#pragma once
// Workbooks that stress recalculation and the compound file at scale, built in memory with
// the engine's own model: the benchmarks time them, the tests check their results, and
// quillora-scale-inputs writes them to files for timing the command-line program.
#include <cstdio>
#include <string>
#include <vector>

#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::scale {

// Rows each chain column holds before the chain goes on at the top of the next column.
inline constexpr int kChainRows = 60000;
inline constexpr int kSumFormulas = 20000;
inline constexpr int kEmptyStreams = 20000;

inline Sheet NamedSheet(const std::string& name) {
  Sheet sheet;
  sheet.name = name;
  return sheet;
}

inline void PutFormula(Sheet& sheet, CellAddress at, const std::string& text) {
  Cell cell;
  cell.formula = Formula{CompileFormula(text), {}, 0, 0, std::nullopt};
  sheet.cells[at] = std::move(cell);
}

// Where the chain's cell number k lives: down column A, then B, ...
inline CellAddress ChainCell(int k) { return CellAddress{k % kChainRows, k / kChainRows}; }

// A1 holds 0; each of the next `formulas` cells reads the one before it plus one, so the
// last one comes to `formulas`.
inline Workbook ChainBook(int formulas) {
  Workbook book = NewWorkbook();
  Sheet sheet = NamedSheet("Sheet1");
  sheet.cells[ChainCell(0)].value = 0.0;
  for (int k = 1; k <= formulas; ++k) {
    const CellAddress before = ChainCell(k - 1);
    PutFormula(sheet, ChainCell(k), CellText(before.row, before.column) + "+1");
  }
  book.sheets.push_back(std::move(sheet));
  return book;
}

// `count` cells down column A, each summing the whole sheet (itself included).
inline Workbook WholeSheetSumBook(int count) {
  Workbook book = NewWorkbook();
  Sheet sheet = NamedSheet("Sheet1");
  for (int row = 0; row < count; ++row) PutFormula(sheet, CellAddress{row, 0}, "SUM(A1:IV65536)");
  book.sheets.push_back(std::move(sheet));
  return book;
}

// One value in A1 and `count` empty streams beside the Workbook stream.
inline Workbook ManyStreamsBook(int count) {
  Workbook book = NewWorkbook();
  Sheet sheet = NamedSheet("Sheet1");
  sheet.cells[CellAddress{0, 0}].value = 1.0;
  book.sheets.push_back(std::move(sheet));
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Empty%05d", i);
    book.otherStreams.push_back(CompoundStream{name, {}, {}});
  }
  return book;
}

}  // namespace quillora::engine::scale
