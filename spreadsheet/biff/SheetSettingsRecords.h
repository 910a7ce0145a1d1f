#pragma once
// The sheet settings records (calculation, print, page setup, protection, zoom, panes,
// selection, ignored errors) between the sheet model and record payloads.
#include <cstdint>
#include <span>
#include <vector>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// The settings records in the order a sheet holds them: before DEFAULTROWHEIGHT, between it
// and DEFCOLWIDTH, after WINDOW2, and after the merged cells.
extern const std::vector<std::uint16_t> kSettingsBeforeRowHeight;
extern const std::vector<std::uint16_t> kSettingsBeforeColumnWidth;
extern const std::vector<std::uint16_t> kSettingsAfterWindow;
extern const std::vector<std::uint16_t> kSettingsAtEnd;

// Reads a settings record into `sheet`. False when the record is not one the model holds
// (another type, or a shared-feature record of another kind); it is then kept as read.
// Throws BiffError for a record too short for its fields.
bool ReadSheetSetting(std::uint16_t type, std::span<const std::uint8_t> data, Sheet& sheet);

// The payloads to write for records of `type`: none when the sheet does not have it.
std::vector<std::vector<std::uint8_t>> EncodeSheetSetting(std::uint16_t type, const Sheet& sheet);

}  // namespace quillora::engine
