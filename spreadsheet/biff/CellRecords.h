#pragma once
// The records of one cell: BLANK, RK or NUMBER, LABELSST, BOOLERR, or FORMULA with its
// shared-formula companion and the STRING of a text result.
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Shared string index of every text a sheet holds.
using StringIndex = std::unordered_map<std::string_view, std::uint32_t>;

// Writes the records of the cell at `at`; `scratch` is reused between calls.
void WriteCell(RecordWriter& writer, const CellAddress& at, const Cell& cell, const StringIndex& strings,
               std::vector<std::uint8_t>& scratch);

}  // namespace quillora::engine
