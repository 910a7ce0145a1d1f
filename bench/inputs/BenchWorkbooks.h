#pragma once
// Workbooks for measuring the engine above the template's size, built in memory with the
// engine's own model: budget-like sheets of any size (with or without merged areas), chains
// of dependent formulas, and three hostile inputs (whole-sheet sums, one large picture shown
// by many shapes, a compound file crowded with empty streams).
#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/model/Workbook.h"

namespace quillora::bench {

// Columns of a budget-like sheet, and rows per block (the last row of a block holds its totals).
inline constexpr int kBudgetColumns = 10;
inline constexpr int kBudgetBlockRows = 10;
// Rows per column of a formula chain.
inline constexpr int kChainRowsPerColumn = 60000;

// A budget-like sheet of `cells` cells (rounded up to whole rows of kBudgetColumns): column A
// item labels, B..J amounts in a currency format, each block's last row "Total n" with one SUM
// per amount column over the block; borders, and a fill on the totals. With `pairMerges`, each
// row's cells are merged in pairs (A:B, C:D, ...), cells / 2 merged areas in all. Cached formula
// results are the true totals.
engine::Workbook BudgetSheet(int cells, bool pairMerges = false);

// `cells` cells down columns A, B, C..., kChainRowsPerColumn per column: the first holds 1,
// every other one "=<previous cell>+1" (cached value: its position, counted from 1).
engine::Workbook FormulaChain(int cells);
// Where cell `i` (from 0) of a formula chain lies.
engine::CellAddress ChainCell(int i);

// `rows` x `columns` cells (at most 256 columns) of 30 x 17 pixels on sheet "Grid": text and
// numbers in turn, thin bottom borders, every third cell filled, gridlines shown. With
// `merged`, each row's columns are merged in pairs (A:B, C:D, ...), so 400 x 250 cells hold
// 50,000 areas.
engine::Workbook GridSheet(int rows, int columns, bool merged);

// `copies` cells in ten columns, each "=SUM(A1:IV65536)" (a sum over the whole sheet, itself
// included, so every one is circular).
engine::Workbook WholeSheetSums(int copies);

// One `side` x `side` PNG in the picture store, shown by `shapes` picture shapes laid out on a
// grid of cells (each shape two columns wide, five rows high), with a label per shape.
engine::Workbook SharedPictureSheet(int shapes, int side);
// The same grid of `shapes` shapes showing the stored PNG `png`, whatever it holds.
engine::Workbook SharedPictureSheet(int shapes, std::vector<std::uint8_t> png);

// A small budget-like sheet beside `streams` empty streams in the compound file.
engine::Workbook ManyEmptyStreams(int streams);

// The workbook of kind `kind` ("budget", "merged", "chain", "sums", "pictures", "streams",
// and "grid" or "grid-merged": GridSheet of 250 columns, n counting cells) at size `n`; throws std::invalid_argument naming the kinds for any other.
engine::Workbook MakeBenchWorkbook(const std::string& kind, int n);

// The kinds MakeBenchWorkbook knows, for usage text.
const std::vector<std::string>& BenchWorkbookKinds();

}  // namespace quillora::bench
