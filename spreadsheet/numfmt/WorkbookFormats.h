#pragma once
// The number format code behind a format index of a workbook.
#include <cstdint>
#include <string>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Number format code of `index`: a FORMAT record of the workbook or a built-in format;
// an index with neither gives "General".
std::string NumberFormatCode(const Workbook& workbook, std::uint16_t index);

}  // namespace quillora::engine
