#include "spreadsheet/render/MergeIndex.h"

#include <algorithm>

namespace quillora::render {

MergeIndex::MergeIndex(const std::vector<engine::CellRange>& merges, const CellRange& range)
    : firstRow_(std::max(0, range.rowFirst - 1)), lastRow_(range.rowLast + 1),
      firstColumn_(std::max(0, range.columnFirst - 1)), lastColumn_(range.columnLast + 1),
      rows_(static_cast<std::size_t>(lastRow_ - firstRow_ + 1)) {
  const auto byColumn = [](const Entry& entry, int column) { return entry.lastColumn < column; };
  for (const engine::CellRange& merge : merges) {
    if (merge.rowFirst > merge.rowLast || merge.columnFirst > merge.columnLast) continue;
    const int top = std::max(merge.rowFirst, firstRow_), bottom = std::min(merge.rowLast, lastRow_);
    const int left = std::max(merge.columnFirst, firstColumn_), right = std::min(merge.columnLast, lastColumn_);
    if (top > bottom || left > right) continue;
    // An area overlapping one indexed before it would make a cell belong to two areas.
    bool overlaps = false;
    for (int row = top; row <= bottom && !overlaps; ++row) {
      const std::vector<Entry>& entries = rows_[static_cast<std::size_t>(row - firstRow_)];
      const auto it = std::lower_bound(entries.begin(), entries.end(), left, byColumn);
      overlaps = it != entries.end() && it->firstColumn <= right;
    }
    if (overlaps) continue;
    const Entry entry{static_cast<std::uint16_t>(left), static_cast<std::uint16_t>(right),
                      static_cast<std::uint32_t>(areas_.size())};
    areas_.push_back(merge);
    for (int row = top; row <= bottom; ++row) {
      std::vector<Entry>& entries = rows_[static_cast<std::size_t>(row - firstRow_)];
      entries.insert(std::lower_bound(entries.begin(), entries.end(), left, byColumn), entry);
    }
    if (merge.rowFirst <= range.rowLast && merge.rowLast >= range.rowFirst &&
        merge.columnFirst <= range.columnLast && merge.columnLast >= range.columnFirst)
      inRange_.push_back(merge);
  }
}

const std::vector<MergeIndex::Entry>* MergeIndex::Row(int row) const {
  if (row < firstRow_ || row > lastRow_) return nullptr;
  return &rows_[static_cast<std::size_t>(row - firstRow_)];
}

const engine::CellRange* MergeIndex::At(int row, int column) const {
  const std::vector<Entry>* entries = Row(row);
  if (entries == nullptr || entries->empty() || column < firstColumn_ || column > lastColumn_) return nullptr;
  const auto it = std::lower_bound(entries->begin(), entries->end(), column,
                                   [](const Entry& entry, int at) { return entry.lastColumn < at; });
  if (it == entries->end() || it->firstColumn > column) return nullptr;
  return &areas_[it->area];
}

bool MergeIndex::InsideEdge(bool horizontal, int row, int column) const {
  // The edge is inside an area when the cells on both sides of it belong to that area.
  const engine::CellRange* merge = horizontal ? At(row - 1, column) : At(row, column - 1);
  return merge != nullptr && (horizontal ? merge->rowLast >= row : merge->columnLast >= column);
}

}  // namespace quillora::render
