#pragma once
// A cell's position on a sheet, and a rectangle of cells.
#include <algorithm>

#include "spreadsheet/base/Grid.h"

namespace quillora::engine {

// Zero-based cell position: row 0..kLastRow, column 0..kLastColumn.
struct CellAddress {
  int row = 0;
  int column = 0;
  friend bool operator==(const CellAddress&, const CellAddress&) = default;
  friend auto operator<=>(const CellAddress&, const CellAddress&) = default;
};

inline bool InGrid(CellAddress cell) { return InGrid(cell.row, cell.column); }

// A rectangle of cells, corners included, zero-based. Ranges built by FromCorners or read
// from A1 text have first <= last on both axes.
struct CellRange {
  int rowFirst = 0;
  int columnFirst = 0;
  int rowLast = 0;
  int columnLast = 0;

  // The rectangle spanned by two corners given in any order.
  static CellRange FromCorners(CellAddress a, CellAddress b) {
    return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row), std::max(a.column, b.column)};
  }
  static CellRange Single(CellAddress cell) { return {cell.row, cell.column, cell.row, cell.column}; }

  CellAddress First() const { return {rowFirst, columnFirst}; }
  CellAddress Last() const { return {rowLast, columnLast}; }
  int RowCount() const { return rowLast - rowFirst + 1; }
  int ColumnCount() const { return columnLast - columnFirst + 1; }
  bool Contains(int row, int column) const {
    return row >= rowFirst && row <= rowLast && column >= columnFirst && column <= columnLast;
  }
  bool Contains(CellAddress cell) const { return Contains(cell.row, cell.column); }
  friend bool operator==(const CellRange&, const CellRange&) = default;
};

}  // namespace quillora::engine
