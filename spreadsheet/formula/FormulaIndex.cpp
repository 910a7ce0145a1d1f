#include "spreadsheet/formula/FormulaIndex.h"

#include <algorithm>
#include <tuple>

#include "spreadsheet/base/Error.h"

namespace quillora::engine {

std::uint64_t FormulaIndex::Key(int sheet, CellAddress cell) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(sheet)) << 32) |
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cell.row)) << 8) |
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(cell.column) & 0xFF);
}

namespace {

std::size_t Slot(std::uint64_t key, int shift) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift);
}

}  // namespace

FormulaIndex::FormulaIndex(const std::vector<Place>& places) : places_(places) {
  if (places_.size() >= 0xFFFFFFFFu) throw RequestError("too many formulas to index");
  OrderByColumn();
  rows_.reserve(ids_.size());
  for (std::size_t position = 0; position < ids_.size(); ++position) {
    const Place& p = places_[ids_[position]];
    rows_.push_back(p.cell.row);
    if (columns_.empty() || columns_.back().sheet != p.sheet || columns_.back().column != p.cell.column)
      columns_.push_back(Column{p.sheet, p.cell.column, position, position});
    columns_.back().last = position + 1;
  }
  FillSlots();
}

// ids_ in (sheet, column, row) order. Cells usually come by sheet and then row by row (a
// workbook's cell order), and then a stable bucket per sheet and column gives that order in
// one pass; anything else is sorted.
void FormulaIndex::OrderByColumn() {
  const std::size_t n = places_.size();
  ids_.resize(n);
  constexpr int kColumns = 256, kMaxBucketSheets = 1024;
  const auto rowMajor = [this](std::size_t a, std::size_t b) {
    const Place& p = places_[a];
    const Place& q = places_[b];
    return std::tie(p.sheet, p.cell.row, p.cell.column) < std::tie(q.sheet, q.cell.row, q.cell.column);
  };
  bool bucketable = true;
  int lastSheet = 0;
  for (std::size_t i = 0; i < n && bucketable; ++i) {
    const Place& p = places_[i];
    bucketable = p.sheet >= 0 && p.sheet < kMaxBucketSheets && p.cell.column >= 0 && p.cell.column < kColumns &&
                 (i == 0 || rowMajor(i - 1, i));
    lastSheet = std::max(lastSheet, p.sheet);
  }
  if (bucketable) {
    std::vector<std::size_t> start(static_cast<std::size_t>(lastSheet + 1) * kColumns + 1, 0);
    const auto bucket = [this](std::size_t i) {
      return static_cast<std::size_t>(places_[i].sheet) * kColumns + static_cast<std::size_t>(places_[i].cell.column);
    };
    for (std::size_t i = 0; i < n; ++i) ++start[bucket(i) + 1];
    for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
    for (std::size_t i = 0; i < n; ++i) ids_[start[bucket(i)]++] = i;
    return;
  }
  for (std::size_t i = 0; i < n; ++i) ids_[i] = i;
  std::sort(ids_.begin(), ids_.end(), [this](std::size_t a, std::size_t b) {
    const Place& p = places_[a];
    const Place& q = places_[b];
    return std::tie(p.sheet, p.cell.column, p.cell.row) < std::tie(q.sheet, q.cell.column, q.cell.row);
  });
}

void FormulaIndex::FillSlots() {
  std::size_t capacity = 16;
  slotShift_ = 60;
  while (capacity < 2 * places_.size()) capacity *= 2, --slotShift_;
  slots_.assign(capacity, 0);
  for (std::size_t i = 0; i < places_.size(); ++i) {
    std::size_t slot = Slot(Key(places_[i].sheet, places_[i].cell), slotShift_);
    while (slots_[slot] != 0) slot = (slot + 1) & (capacity - 1);
    slots_[slot] = static_cast<std::uint32_t>(i + 1);
  }
}

std::optional<std::size_t> FormulaIndex::Find(int sheet, CellAddress cell) const {
  if (slots_.empty()) return std::nullopt;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = Slot(Key(sheet, cell), slotShift_); slots_[slot] != 0; slot = (slot + 1) & mask) {
    const std::size_t id = slots_[slot] - 1;
    if (places_[id].sheet == sheet && places_[id].cell == cell) return id;
  }
  return std::nullopt;
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
