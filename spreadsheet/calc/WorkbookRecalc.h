#pragma once
// The workbook model seen by the formula engine: its cells as a CellSource and RecalcWorkbook,
// its EXTERNSHEET table as a ReferenceResolver, and recalculation of every formula cell.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "spreadsheet/formula/Recalculator.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Cells of a workbook for evaluation. Ranges visit only stored cells, so whole-column ranges
// cost what the sheet holds. Opaque sheets (charts, modules) have no cells and no formulas.
class WorkbookCells : public RecalcWorkbook {
 public:
  explicit WorkbookCells(Workbook& workbook) : book_(workbook) {}

  Value CellValue(int sheet, CellAddress cell) const override;
  void ForEachValue(int sheet, const CellRange& range,
                    const std::function<void(CellAddress, const Value&)>& visit) const override;
  void ForEachFormula(const std::function<void(const FormulaCell&)>& visit) const override;
  void SetFormulaResult(int sheet, CellAddress cell, const Value& result) override;

 private:
  const Sheet* SheetAt(int sheet) const;
  Workbook& book_;
  // The cell SetFormulaResult stored last: results come in cell order, so the next one is
  // usually the cell after it.
  int lastSheet_ = -1;
  std::map<CellAddress, Cell>::iterator last_;
};

// Recalculates every formula cell of the workbook and stores the results as cached values:
// an evaluable formula gets its result, a circular one kCircularReferenceError, and one the
// engine cannot evaluate (defined names, shared or array formulas, other functions) keeps its
// cached value.
RecalcSummary RecalculateWorkbook(Workbook& workbook);

}  // namespace quillora::engine
