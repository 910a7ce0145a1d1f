#include "spreadsheet/render/MergeIndex.h"

#include <algorithm>

namespace quillora::render {

MergeIndex::MergeIndex(const std::vector<engine::MergedRange>& merges, const CellRange& range)
    : firstRow_(std::max(0, range.firstRow - 1)), lastRow_(range.lastRow + 1),
      firstColumn_(std::max(0, range.firstColumn - 1)), lastColumn_(range.lastColumn + 1),
      rows_(static_cast<std::size_t>(lastRow_ - firstRow_ + 1)) {
  const auto byColumn = [](const Entry& entry, int column) { return entry.lastColumn < column; };
  for (const engine::MergedRange& merge : merges) {
    if (merge.first.row > merge.last.row || merge.first.column > merge.last.column) continue;
    const int top = std::max(merge.first.row, firstRow_), bottom = std::min(merge.last.row, lastRow_);
    const int left = std::max(merge.first.column, firstColumn_), right = std::min(merge.last.column, lastColumn_);
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
    if (merge.first.row <= range.lastRow && merge.last.row >= range.firstRow &&
        merge.first.column <= range.lastColumn && merge.last.column >= range.firstColumn)
      inRange_.push_back(merge);
  }
}

const std::vector<MergeIndex::Entry>* MergeIndex::Row(int row) const {
  if (row < firstRow_ || row > lastRow_) return nullptr;
  return &rows_[static_cast<std::size_t>(row - firstRow_)];
}

const engine::MergedRange* MergeIndex::At(int row, int column) const {
  const std::vector<Entry>* entries = Row(row);
  if (entries == nullptr || entries->empty() || column < firstColumn_ || column > lastColumn_) return nullptr;
  const auto it = std::lower_bound(entries->begin(), entries->end(), column,
                                   [](const Entry& entry, int at) { return entry.lastColumn < at; });
  if (it == entries->end() || it->firstColumn > column) return nullptr;
  return &areas_[it->area];
}

bool MergeIndex::InsideEdge(bool horizontal, int row, int column) const {
  // The edge is inside an area when the cells on both sides of it belong to that area.
  const engine::MergedRange* merge = horizontal ? At(row - 1, column) : At(row, column - 1);
  return merge != nullptr && (horizontal ? merge->last.row >= row : merge->last.column >= column);
}

}  // namespace quillora::render
