#pragma once
// What of a worksheet goes on paper: the print area (or the used range), the rows and
// columns repeated on every page, and the manual page breaks.
#include <optional>
#include <vector>

#include "spreadsheet/formula/CellSource.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::print {

// A run of rows or of columns, zero-based and inclusive.
struct Span {
  int first = 0, last = 0;
  int Count() const { return last - first + 1; }
  friend bool operator==(const Span&, const Span&) = default;
};

struct PrintRanges {
  // Each area prints on pages of its own, in this order.
  std::vector<CellRange> areas;
  std::optional<Span> titleRows, titleColumns;
  // First row (column) of a new page, ascending and without repeats.
  std::vector<int> rowBreaks, columnBreaks;
};

// The ranges of sheet `sheetIndex` (zero-based): the areas of its Print_Area name (cut off
// after `used`'s last row and column), else `used`; the rows and columns of its Print_Titles name; its HORIZONTALPAGEBREAKS and
// VERTICALPAGEBREAKS records. Throws PrintSetupError when one of those names refers to
// something other than ranges of this sheet, or when a break record is damaged.
PrintRanges FindPrintRanges(const Workbook& workbook, std::size_t sheetIndex, const CellRange& used);

}  // namespace quillora::engine::print
