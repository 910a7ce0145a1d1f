#pragma once
// The size of a worksheet: 65536 rows by 256 columns. Indexes are zero-based, so the last
// row is 65535 and the last column 255 (IV); the counts are the number of rows or columns.

namespace quillora::engine {

inline constexpr int kRowCount = 65536;
inline constexpr int kColumnCount = 256;
inline constexpr int kLastRow = kRowCount - 1;        // zero-based index of row 65536
inline constexpr int kLastColumn = kColumnCount - 1;  // zero-based index of column IV

constexpr bool RowInGrid(int row) { return row >= 0 && row <= kLastRow; }
constexpr bool ColumnInGrid(int column) { return column >= 0 && column <= kLastColumn; }
constexpr bool InGrid(int row, int column) { return RowInGrid(row) && ColumnInGrid(column); }

}  // namespace quillora::engine
