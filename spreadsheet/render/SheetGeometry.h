#pragma once
// Pixel sizes of a sheet's columns and rows at 100 % and 96 dpi, and their positions
// relative to the top-left corner of a range.
#include <vector>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/render/RenderRange.h"

namespace quillora::render {

// A stored column width w (1/256 of the standard font's digit-zero width d) draws
// Truncate((w + Truncate(128/d)) / 256 * d) pixels: 9142 -> 250, 5485 -> 150 for d = 7.
int ColumnWidthPixels(int storedWidth, int digitWidth);
// A column without its own width: the sheet's default width in characters, plus 5 pixels
// of padding, rounded up to a multiple of 8 (8 characters of 7 pixels -> 64).
int DefaultColumnPixels(int characters, int digitWidth);
// A row height in twips drawn in pixels: twips / 15 (1 pt = 4/3 px), rounded half up, so
// 15.75 pt -> 21 px and 17.1 pt -> 23 px.
int RowHeightPixels(int twips);

class SheetGeometry {
 public:
  SheetGeometry(const engine::Sheet& sheet, const CellRange& range, int digitWidth);

  // Width and height of a column or row, 0 when hidden; any index of the sheet.
  int ColumnWidth(int column) const;
  int RowHeight(int row) const;
  // Left edge of a column and top edge of a row relative to the range's top-left corner
  // (negative before it); any index of the sheet.
  int ColumnLeft(int column) const;
  int RowTop(int row) const;
  int Width() const { return columnLeft_.back(); }
  int Height() const { return rowTop_.back(); }
  const CellRange& Range() const { return range_; }

 private:
  const engine::Sheet& sheet_;
  CellRange range_;
  int digitWidth_;
  std::vector<int> columnLeft_;  // range columns' left edges, one more for the right edge
  std::vector<int> rowTop_;
};

}  // namespace quillora::render
