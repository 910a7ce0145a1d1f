#pragma once
// A sheet's selection: the active cell and selected range of its active pane.
#include "spreadsheet/formula/CellSource.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::automation {

// Makes `range` the selection of the sheet's active pane, its first cell the active cell.
// An existing selection of that pane is replaced, otherwise one is added.
void StoreSelection(Sheet& sheet, const CellRange& range);

// Makes sheet `index` the active and only selected sheet of the workbook window.
void ActivateSheet(engine::Workbook& workbook, int index);

}  // namespace quillora::engine::automation
