#include "spreadsheet/formula/FormulaIndex.h"

#include <algorithm>
#include <tuple>

namespace quillora::engine {

std::uint64_t FormulaIndex::Key(int sheet, CellAddress cell) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(sheet)) << 32) ^
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cell.row)) << 8) ^
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(cell.column));
}

FormulaIndex::FormulaIndex(const std::vector<Place>& places) : places_(places) {
  ids_.resize(places_.size());
  for (std::size_t i = 0; i < ids_.size(); ++i) ids_[i] = i;
  auto columnOrder = [this](std::size_t a, std::size_t b) {
    const Place& p = places_[a];
    const Place& q = places_[b];
    return std::tie(p.sheet, p.cell.column, p.cell.row) < std::tie(q.sheet, q.cell.column, q.cell.row);
  };
  std::sort(ids_.begin(), ids_.end(), columnOrder);
  rows_.reserve(ids_.size());
  byKey_.reserve(ids_.size());
  for (std::size_t position = 0; position < ids_.size(); ++position) {
    const Place& p = places_[ids_[position]];
    rows_.push_back(p.cell.row);
    byKey_.emplace(Key(p.sheet, p.cell), ids_[position]);
    if (columns_.empty() || columns_.back().sheet != p.sheet || columns_.back().column != p.cell.column)
      columns_.push_back(Column{p.sheet, p.cell.column, position, position});
    columns_.back().last = position + 1;
  }
}

std::optional<std::size_t> FormulaIndex::Find(int sheet, CellAddress cell) const {
  const auto it = byKey_.find(Key(sheet, cell));
  if (it == byKey_.end()) return std::nullopt;
  const Place& p = places_[it->second];
  if (p.sheet != sheet || p.cell != cell) return std::nullopt;  // keys of far-out cells may collide
  return it->second;
}

std::span<const FormulaIndex::Column> FormulaIndex::ColumnsIn(int sheet, int columnFirst, int columnLast) const {
  auto before = [](const Column& c, std::pair<int, int> at) { return std::pair(c.sheet, c.column) < at; };
  const auto first = std::lower_bound(columns_.begin(), columns_.end(), std::pair(sheet, columnFirst), before);
  auto last = first;
  while (last != columns_.end() && last->sheet == sheet && last->column <= columnLast) ++last;
  return {first, last};
}

std::pair<std::size_t, std::size_t> FormulaIndex::RowsIn(const Column& column, int rowFirst, int rowLast) const {
  const auto begin = rows_.begin() + static_cast<std::ptrdiff_t>(column.first);
  const auto end = rows_.begin() + static_cast<std::ptrdiff_t>(column.last);
  const auto lo = std::lower_bound(begin, end, rowFirst);
  const auto hi = std::upper_bound(lo, end, rowLast);
  return {static_cast<std::size_t>(lo - rows_.begin()), static_cast<std::size_t>(hi - rows_.begin())};
}

void FormulaIndex::InRange(int sheet, const CellRange& range, std::vector<std::size_t>& out) const {
  if (range.rowFirst > range.rowLast) return;
  const std::size_t start = out.size();
  std::size_t columnsUsed = 0;
  for (const Column& column : ColumnsIn(sheet, range.columnFirst, range.columnLast)) {
    const auto [first, last] = RowsIn(column, range.rowFirst, range.rowLast);
    if (first == last) continue;
    ++columnsUsed;
    for (std::size_t position = first; position < last; ++position) out.push_back(ids_[position]);
  }
  // One column is already in row order; several are interleaved row by row.
  if (columnsUsed > 1)
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
              [this](std::size_t a, std::size_t b) { return places_[a].cell < places_[b].cell; });
}

}  // namespace quillora::engine
