#pragma once

#include <string>
#include <string_view>

#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora {

// Save codes of the Excel 97–2003 workbook format, before and from engine version 12.
inline constexpr int kFileFormatBefore12 = -4143;
inline constexpr int kFileFormatFrom12 = 56;

// The decimal separator of the user's number settings: the second character of 0.5
// written under those settings, blanks trimmed.
std::string LocaleDecimalSeparator(const engine::NumberLocale& locale);

// `text` with every "." and then every "," replaced by the locale's decimal separator,
// so a version such as "16.0" reads as a number whichever separator it used.
std::string ToLocaleDecimal(std::string_view text, const engine::NumberLocale& locale);

// The save code for an engine whose version text is `version`: the version rounded to a
// whole number (halves to even), -4143 below 12, else 56. Throws std::runtime_error for
// a version text that is not a number.
int FileFormatForVersion(std::string_view version, const engine::NumberLocale& locale);

}  // namespace quillora
