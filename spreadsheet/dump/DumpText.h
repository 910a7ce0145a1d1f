#pragma once
// Pieces of the dump listing shared by its cell lines and its settings lines.
#include <ostream>
#include <string>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Shortest text of a number ("0.5", "100").
std::string DumpNumber(double value);
// Text in double quotes, with quotes, backslashes and control characters escaped.
std::string DumpQuoted(const std::string& text);

// The settings lines of a worksheet (after its cells) and of the workbook (at the end).
// Each starts with two spaces and holds no tab, so it cannot be taken for a cell line.
void DumpSheetSettings(const Workbook& book, const Sheet& sheet, std::ostream& out);
void DumpBookSettings(const Workbook& book, std::ostream& out);

}  // namespace quillora::engine
