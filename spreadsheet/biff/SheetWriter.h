#pragma once
// Writing workbook parts: kept records at their anchors, and one sheet substream.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/drawing/SheetDrawingCodec.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Shared string index of every text a sheet holds.
using StringIndex = std::unordered_map<std::string_view, std::uint32_t>;

// Writes the kept records whose anchor is one of `anchors`, in their order.
void WriteKept(RecordWriter& writer, const std::vector<KeptRecord>& kept, std::initializer_list<std::uint16_t> anchors);

void WriteBof(RecordWriter& writer, std::uint16_t type, const BofInfo& bof);

// Writes the sheet from its BOF to its EOF; INDEX, DBCELL and DIMENSIONS are computed
// from what is written. `drawing` holds the records of the sheet's pictures (MSODRAWING,
// OBJ), written after the cell table.
void WriteSheet(RecordWriter& writer, const Sheet& sheet, const StringIndex& strings,
                std::span<const DrawingRecord> drawing = {});

// RK form of `value` when it has one that reads back exactly.
std::optional<std::uint32_t> EncodeRk(double value);

}  // namespace quillora::engine
