#include "spreadsheet/render/SheetGeometry.h"

namespace quillora::render {

int ColumnWidthPixels(int storedWidth, int digitWidth) {
  if (digitWidth <= 0) return 0;
  const int padded = storedWidth + 128 / digitWidth;
  return static_cast<int>(static_cast<long long>(padded) * digitWidth / 256);
}

int DefaultColumnPixels(int characters, int digitWidth) {
  const int pixels = characters * digitWidth + 5;
  return (pixels + 7) / 8 * 8;
}

int RowHeightPixels(int twips) { return (twips + 7) / 15; }

SheetGeometry::SheetGeometry(const engine::Sheet& sheet, const CellRange& range, int digitWidth)
    : sheet_(sheet), range_(range), digitWidth_(digitWidth) {
  columnLeft_.reserve(range.ColumnCount() + 1);
  columnLeft_.push_back(0);
  for (int column = range.columnFirst; column <= range.columnLast; ++column)
    columnLeft_.push_back(columnLeft_.back() + ColumnWidth(column));
  rowTop_.reserve(range.RowCount() + 1);
  rowTop_.push_back(0);
  // Rows are looked up in order, so walk the row map alongside instead of searching it.
  auto info = sheet.rows.lower_bound(range.rowFirst);
  for (int row = range.rowFirst; row <= range.rowLast; ++row) {
    int height = RowHeightPixels(sheet.defaultRowHeight);
    if (info != sheet.rows.end() && info->first == row) {
      height = info->second.hidden ? 0 : RowHeightPixels(info->second.height);
      ++info;
    }
    rowTop_.push_back(rowTop_.back() + height);
  }
}

int SheetGeometry::ColumnWidth(int column) const {
  for (const engine::ColumnInfo& info : sheet_.columns) {
    if (column < info.first || column > info.last) continue;
    return info.hidden ? 0 : ColumnWidthPixels(info.width, digitWidth_);
  }
  return DefaultColumnPixels(sheet_.defaultColumnWidth, digitWidth_);
}

int SheetGeometry::RowHeight(int row) const {
  const auto info = sheet_.rows.find(row);
  if (info == sheet_.rows.end()) return RowHeightPixels(sheet_.defaultRowHeight);
  return info->second.hidden ? 0 : RowHeightPixels(info->second.height);
}

int SheetGeometry::ColumnLeft(int column) const {
  if (column >= range_.columnFirst && column <= range_.columnLast + 1) return columnLeft_[column - range_.columnFirst];
  int left = 0;
  if (column < range_.columnFirst) {
    for (int c = column; c < range_.columnFirst; ++c) left -= ColumnWidth(c);
    return left;
  }
  left = Width();
  for (int c = range_.columnLast + 1; c < column; ++c) left += ColumnWidth(c);
  return left;
}

int SheetGeometry::RowTop(int row) const {
  if (row >= range_.rowFirst && row <= range_.rowLast + 1) return rowTop_[row - range_.rowFirst];
  int top = 0;
  if (row < range_.rowFirst) {
    for (int r = row; r < range_.rowFirst; ++r) top -= RowHeight(r);
    return top;
  }
  top = Height();
  for (int r = range_.rowLast + 1; r < row; ++r) top += RowHeight(r);
  return top;
}

}  // namespace quillora::render
