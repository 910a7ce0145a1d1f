#pragma once

// What formula evaluation reads: the values of cells of a workbook's sheets.

#include <functional>

#include "spreadsheet/model/Value.h"

namespace quillora::engine {

class CellSource {
 public:
  virtual ~CellSource() = default;

  // The value of a cell of sheet `sheet` (zero-based); empty (monostate) for a cell without a
  // value or outside the sheet. For a formula cell: its current result.
  virtual Value CellValue(int sheet, CellAddress cell) const = 0;

  // Calls visit for the cells of `range` on `sheet` that may hold a value, in row-major order
  // (row by row, left to right); cells not visited count as empty. The default visits every
  // cell of the range through CellValue; a model with sparse storage overrides it to visit only
  // stored cells, which makes whole-column ranges cheap.
  virtual void ForEachValue(int sheet, const CellRange& range,
                            const std::function<void(CellAddress, const Value&)>& visit) const;
};

}  // namespace quillora::engine
