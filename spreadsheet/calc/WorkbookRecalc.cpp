// Adapters between the workbook model and the formula engine.
#include "spreadsheet/calc/WorkbookRecalc.h"

#include "spreadsheet/calc/WorkbookReferences.h"

namespace quillora::engine {

const Sheet* WorkbookCells::SheetAt(int sheet) const {
  if (sheet < 0 || static_cast<std::size_t>(sheet) >= book_.sheets.size()) return nullptr;
  const Sheet& s = book_.sheets[static_cast<std::size_t>(sheet)];
  return s.opaque ? nullptr : &s;
}

Value WorkbookCells::CellValue(int sheet, CellAddress cell) const {
  const Sheet* s = SheetAt(sheet);
  if (!s) return {};
  const auto it = s->cells.find(cell);
  return it == s->cells.end() ? Value{} : it->second.value;
}

void WorkbookCells::ForEachValue(int sheet, const CellRange& range,
                                 const std::function<void(CellAddress, const Value&)>& visit) const {
  const Sheet* s = SheetAt(sheet);
  if (!s) return;
  for (auto it = s->cells.lower_bound({range.rowFirst, range.columnFirst});
       it != s->cells.end() && it->first.row <= range.rowLast; ++it) {
    const CellAddress at = it->first;
    if (at.column < range.columnFirst) continue;
    if (at.column > range.columnLast) {
      // Skip the rest of this row.
      it = s->cells.lower_bound({at.row + 1, range.columnFirst});
      if (it == s->cells.end()) break;
      --it;
      continue;
    }
    if (!std::holds_alternative<std::monostate>(it->second.value)) visit(at, it->second.value);
  }
}

void WorkbookCells::ForEachFormula(const std::function<void(const FormulaCell&)>& visit) const {
  for (std::size_t s = 0; s < book_.sheets.size(); ++s) {
    const Sheet& sheet = book_.sheets[s];
    if (sheet.opaque) continue;
    for (const auto& [at, cell] : sheet.cells)
      if (cell.formula) visit(FormulaCell{static_cast<int>(s), at, cell.formula->tokens});
  }
}

void WorkbookCells::SetFormulaResult(int sheet, CellAddress cell, const Value& result) {
  if (sheet < 0 || static_cast<std::size_t>(sheet) >= book_.sheets.size()) return;
  auto& cells = book_.sheets[static_cast<std::size_t>(sheet)].cells;
  auto it = sheet == lastSheet_ && last_ != cells.end() ? std::next(last_) : cells.end();
  if (it == cells.end() || it->first != cell) it = cells.find(cell);
  lastSheet_ = sheet;
  last_ = it;
  if (it != cells.end() && it->second.formula) it->second.value = result;
}

RecalcSummary RecalculateWorkbook(Workbook& workbook) {
  WorkbookCells cells(workbook);
  const WorkbookReferences references(workbook);
  return Recalculate(cells, references);
}

}  // namespace quillora::engine
