#pragma once

// Text pieces of A1 formulas shared by the compiler, printer and evaluator: error literals,
// sheet-name quoting, number text, and the BIFF8 string encoding of tStr.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/model/Value.h"

namespace quillora::engine {

// "#DIV/0!" etc. for an error code.
std::string_view ErrorText(ErrorCode code);
// The error code whose literal is text (case-insensitive), if any.
std::optional<ErrorCode> ErrorFromText(std::string_view text);
// True when byte is one of the seven BIFF8 error codes.
bool IsErrorCode(std::uint8_t byte);

// A sheet name as it stands before "!": quoted with '...' (quotes doubled) unless it is a
// plain identifier that cannot be read as a cell reference.
std::string QuoteSheetName(std::string_view name);

// Shortest text that reads back as the same double ("0.1", "1E+20", "-2.5").
std::string NumberLiteral(double value);
// A number as text the way a spreadsheet converts it in concatenation: up to 15 significant
// digits, "1E+20" style for very large or small magnitudes.
std::string NumberToText(double value);

// tStr payload: count characters, 8-bit (Latin-1) or UTF-16LE when wide; returns UTF-8.
std::string DecodeBiffString(std::span<const std::uint8_t> chars, bool wide);
// Appends the tStr payload (count, flags, characters) of UTF-8 text; throws FormulaError for
// text over 255 characters or invalid UTF-8.
void AppendBiffString(std::vector<std::uint8_t>& out, std::string_view utf8);

}  // namespace quillora::engine
