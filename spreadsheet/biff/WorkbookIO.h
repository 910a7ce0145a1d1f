#pragma once
// Whole .xls files to and from the workbook model.
#include <cstdint>
#include <span>
#include <vector>

#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Reads a BIFF8 workbook from the bytes of an .xls/.xlt file. Throws CompoundFileError or
// BiffError (both std::runtime_error) with one line that says why the file is refused.
Workbook ReadWorkbook(std::span<const std::uint8_t> file);

// Writes the workbook as a complete .xls file (compound file with a `Workbook` stream).
std::vector<std::uint8_t> WriteWorkbook(const Workbook& workbook);

}  // namespace quillora::engine
