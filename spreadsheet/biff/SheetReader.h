#pragma once
// Reading one sheet substream (from its BOF to its EOF) into the model.
#include <cstdint>
#include <string>
#include <vector>

#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// The data of record `index` followed by the data of the CONTINUE records after it.
std::vector<std::span<const std::uint8_t>> WithContinues(const std::vector<RecordView>& records, std::size_t index);

// Checks a BOF record's version: BIFF8 passes, anything older is refused by name.
void CheckBiffVersion(const RecordView& bof);

// Reads the sheet whose BOF is records[first]; `sheet.name` and the BOUNDSHEET fields are
// already set. Text cells look their strings up in `strings`.
void ReadSheet(const std::vector<RecordView>& records, std::size_t first, const std::vector<std::string>& strings,
               Sheet& sheet);

// Turns raw records into a KeptRecord (with its CONTINUE records); returns the index of
// the last record consumed.
std::size_t KeepRecord(const std::vector<RecordView>& records, std::size_t index, std::uint16_t after,
                       std::vector<KeptRecord>& kept);

}  // namespace quillora::engine
