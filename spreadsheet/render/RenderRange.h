#pragma once
// Which cells of a sheet a picture shows: a rectangle of zero-based rows and columns.
#include <string_view>

#include "spreadsheet/base/CellAddress.h"
#include "spreadsheet/edit/UsedRange.h"

namespace quillora::render {

using engine::CellRange;

// The sheet's used range: every cell record (values and formatted blanks), widened down to
// the last row whose height, visibility or format was set. A sheet with neither is A1:A1.
using engine::SheetUsedRange;

// A cell or range in A1 text ("A1:C118", "$B$2", "B3:A1" put in order). Throws
// std::runtime_error for anything else.
CellRange ParseRange(std::string_view text);

}  // namespace quillora::render
