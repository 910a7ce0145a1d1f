#pragma once
// A stable text listing of a workbook's sheets and cells, one line per cell (the output of
// `quillora-cli dump`).
#include <ostream>
#include <string>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Writes, for each sheet, a line `sheet <n> "<name>" <kind> <visibility>` and then one
// tab-separated line per cell that holds a value or a format:
//   <A1>  <type>  <value>  format="<code>"  font="<name>" <size> <bold|regular> <italic|upright> <colour>
//   fill=<none|solid <colour>|pattern<n> <colour> <colour>>  left=..  right=..  top=..  bottom=..
//   align=<horizontal> <vertical> indent<n>
// Types: blank, number, text, boolean, error, formula:<result type>. Colours are #RRGGBB
// or auto; a border is none or "<style> <colour>".
// After a worksheet's cells come its settings lines, and after the last sheet the
// workbook's; each starts with two spaces and a keyword (window, page, calculation,
// protection, picture, ignore-errors; workbook, name) and holds no tab.
void DumpWorkbook(const Workbook& workbook, std::ostream& out);

}  // namespace quillora::engine
