#include "spreadsheet/edit/UsedRange.h"

#include <algorithm>

namespace quillora::engine {

CellRange SheetUsedRange(const Sheet& sheet) {
  if (sheet.cells.empty() && sheet.rows.empty()) return {};
  CellRange range{kLastRow, kLastColumn, 0, 0};
  for (const auto& entry : sheet.cells) {
    range.rowFirst = std::min(range.rowFirst, entry.first.row);
    range.rowLast = std::max(range.rowLast, entry.first.row);
    range.columnFirst = std::min(range.columnFirst, entry.first.column);
    range.columnLast = std::max(range.columnLast, entry.first.column);
  }
  for (const auto& [row, info] : sheet.rows) {
    if (!info.customHeight && !info.hidden && !info.xf.has_value()) continue;
    range.rowFirst = std::min(range.rowFirst, row);
    range.rowLast = std::max(range.rowLast, row);
  }
  if (range.rowFirst > range.rowLast) range.rowFirst = range.rowLast = 0;
  if (range.columnFirst > range.columnLast) range.columnFirst = range.columnLast = 0;
  return range;
}

}  // namespace quillora::engine
