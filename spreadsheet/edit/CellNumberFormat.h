#pragma once
// Giving cells a number format by its code: the workbook's FORMAT record and XF are reused
// where one fits, and added where none does.
#include <cstdint>
#include <string>
#include <string_view>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// The number format code a cell shows by ("General" for a cell with the default format).
std::string CellNumberFormatCode(const Workbook& workbook, const Sheet& sheet, CellAddress cell);

// Gives the cell (a blank one when none is stored) the number format `code`, keeping every
// other attribute of its cell format. A cell already showing by that code is left as it is,
// so the workbook's records stay untouched. Throws std::length_error when the workbook
// has no room for another number format or cell format.
void SetCellNumberFormat(Workbook& workbook, Sheet& sheet, CellAddress cell, std::string_view code);

}  // namespace quillora::engine
