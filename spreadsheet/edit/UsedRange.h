#pragma once
// The rectangle of a sheet that holds something: every cell record (values and formatted
// blanks), widened down to the last row whose height, visibility or format was set.
#include "spreadsheet/base/CellAddress.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Zero-based corners; a sheet with neither cells nor set rows gives A1:A1.
CellRange SheetUsedRange(const Sheet& sheet);

}  // namespace quillora::engine
