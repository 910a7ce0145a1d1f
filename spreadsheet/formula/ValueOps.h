#pragma once

// Spreadsheet value coercions and comparisons used by the evaluator.

#include <optional>
#include <string>
#include <variant>

#include "spreadsheet/model/Value.h"

namespace quillora::engine {

// A number, or the error that stands in for it.
using NumberOrError = std::variant<double, ErrorCode>;

inline bool IsError(const Value& v) { return std::holds_alternative<ErrorCode>(v); }

// Number of a value: empty 0, TRUE 1, text that reads as a number (surrounding blanks
// allowed), otherwise #VALUE!; errors pass through.
NumberOrError ToNumber(const Value& v);
// Text of a value: numbers as NumberToText, TRUE/FALSE, empty ""; nullopt for an error.
std::optional<std::string> ToText(const Value& v);
// Truth of a value: numbers non-zero, text "TRUE"/"FALSE" (any case), empty FALSE; an error
// or other text gives the error to report.
std::variant<bool, ErrorCode> ToBoolean(const Value& v);
// Plain decimal number text ("12", "-1.5e3", " 7 "), nothing else.
std::optional<double> ParseNumberText(const std::string& text);

// Orders two non-error values: numbers < text < booleans, text without regard to ASCII case,
// an empty value taking the other side's kind (0, "", FALSE). Returns <0, 0, >0.
int CompareValues(const Value& a, const Value& b);

// Rounds half away from zero to `digits` decimals (negative: tens, hundreds, ...), first
// removing binary representation noise beyond 15 significant digits (2.675 -> 2.68).
double RoundDigits(double value, int digits);

}  // namespace quillora::engine
