#pragma once
// The merged areas around a range, indexed once per drawing: which area covers a cell and
// whether an edge between two cells lies inside one, each in logarithmic time per row
// instead of a scan over every area of the sheet.
#include <cstdint>
#include <vector>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/render/RenderRange.h"

namespace quillora::render {

class MergeIndex {
 public:
  // Indexes the areas that reach `range` or the cells bordering it. Areas the file gives
  // backwards (last before first) cover nothing; an area overlapping one listed before it is
  // left out whole, so every cell belongs to at most one area.
  MergeIndex(const std::vector<engine::CellRange>& merges, const CellRange& range);

  // The area covering the cell, or null. Cells more than one row or column outside the
  // range are never covered.
  const engine::CellRange* At(int row, int column) const;

  // Whether the edge lies inside an area: the top edge of `row` at `column` when
  // `horizontal`, else the left edge of `column` at `row`. Answers for every edge of the
  // range's cells, the outer ones too.
  bool InsideEdge(bool horizontal, int row, int column) const;

  // The indexed areas that intersect the range, in the sheet's order.
  const std::vector<engine::CellRange>& InRange() const { return inRange_; }

 private:
  struct Entry {
    std::uint16_t firstColumn, lastColumn;
    std::uint32_t area;  // index into areas_
  };
  const std::vector<Entry>* Row(int row) const;

  int firstRow_, lastRow_, firstColumn_, lastColumn_;  // the range grown by one cell
  std::vector<engine::CellRange> areas_;
  std::vector<std::vector<Entry>> rows_;  // per row of the grown range, sorted by column
  std::vector<engine::CellRange> inRange_;
};

}  // namespace quillora::render
