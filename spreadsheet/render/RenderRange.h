#pragma once
// Which cells of a sheet a picture shows: a rectangle of zero-based rows and columns.
#include <string_view>

#include "spreadsheet/model/Workbook.h"

namespace quillora::render {

struct CellRange {
  int firstRow = 0, firstColumn = 0;
  int lastRow = 0, lastColumn = 0;  // inclusive
  int RowCount() const { return lastRow - firstRow + 1; }
  int ColumnCount() const { return lastColumn - firstColumn + 1; }
  bool Contains(int row, int column) const {
    return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
  }
  friend bool operator==(const CellRange&, const CellRange&) = default;
};

// The sheet's used range: every cell record (values and formatted blanks), widened down to
// the last row whose height, visibility or format was set. A sheet with neither is A1:A1.
CellRange UsedRange(const engine::Sheet& sheet);

// A cell or range in A1 text ("A1:C118", "$B$2", "B3:A1" put in order). Throws
// std::runtime_error for anything else.
CellRange ParseRange(std::string_view text);

}  // namespace quillora::render
