#pragma once
// Where a workbook's formula cells are: by cell, and per sheet and column in row order, so the
// formulas inside a range are found without looking at the others.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "spreadsheet/formula/CellSource.h"

namespace quillora::engine {

class FormulaIndex {
 public:
  struct Place {
    int sheet = 0;
    CellAddress cell;
  };
  // The formula cells of one column of one sheet: positions [first, last) of the index, by row.
  struct Column {
    int sheet = 0;
    int column = 0;
    std::size_t first = 0, last = 0;
  };

  FormulaIndex() = default;
  // Formula i sits at places[i]; each place appears once.
  explicit FormulaIndex(const std::vector<Place>& places);

  std::size_t Size() const { return ids_.size(); }
  // The formula at a cell, if any.
  std::optional<std::size_t> Find(int sheet, CellAddress cell) const;
  // The columns of `sheet` from columnFirst to columnLast that hold formulas, left to right.
  std::span<const Column> ColumnsIn(int sheet, int columnFirst, int columnLast) const;
  // Positions [first, last) of the formulas of `column` from rowFirst to rowLast.
  std::pair<std::size_t, std::size_t> RowsIn(const Column& column, int rowFirst, int rowLast) const;
  // The formula at a position.
  std::size_t IdAt(std::size_t position) const { return ids_[position]; }
  // Appends the formulas inside `range` of `sheet` in row-major order.
  void InRange(int sheet, const CellRange& range, std::vector<std::size_t>& out) const;

 private:
  static std::uint64_t Key(int sheet, CellAddress cell);
  void OrderByColumn();
  void FillSlots();

  std::vector<Place> places_;     // by formula
  std::vector<std::size_t> ids_;  // formulas by (sheet, column, row)
  std::vector<int> rows_;         // their rows
  std::vector<Column> columns_;   // by (sheet, column)
  // Formula by cell: an open-addressed table of formula numbers + 1 (0: empty slot), at
  // least twice as many slots as formulas, searched from the cell's hash onwards.
  std::vector<std::uint32_t> slots_;
  int slotShift_ = 64;
};

}  // namespace quillora::engine
