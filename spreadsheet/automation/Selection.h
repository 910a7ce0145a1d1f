#pragma once
// A sheet's selection as the file stores it: the SELECTION record of the active pane.
#include "spreadsheet/formula/CellSource.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::automation {

// Makes `range` the selection of the sheet's active pane, its first cell the active cell.
// The model keeps SELECTION among the sheet's uninterpreted records: an existing record of the
// active pane is rewritten, otherwise one is added after the window settings.
void StoreSelection(Sheet& sheet, const CellRange& range);

// Makes sheet `index` the active and only selected sheet of the workbook window.
void ActivateSheet(engine::Workbook& workbook, int index);

}  // namespace quillora::engine::automation
