#pragma once
// Writing one sheet substream, and the BOF record every substream starts with.
#include <cstdint>
#include <span>

#include "spreadsheet/biff/CellRecords.h"
#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/drawing/SheetDrawingCodec.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

void WriteBof(RecordWriter& writer, std::uint16_t type, const BofInfo& bof);

// Writes the sheet from its BOF to its EOF; INDEX, DBCELL and DIMENSIONS are computed
// from what is written. `drawing` holds the records of the sheet's pictures (MSODRAWING,
// OBJ), written after the cell table.
void WriteSheet(RecordWriter& writer, const Sheet& sheet, const StringIndex& strings,
                std::span<const DrawingRecord> drawing = {});

}  // namespace quillora::engine
