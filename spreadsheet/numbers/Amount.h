#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora::engine {

// Amounts must stay below this magnitude: beyond it two decimals no longer survive a double.
inline constexpr double kAmountLimit = 1e13;

// Reads `text` as an amount under `locale`. Accepted: blanks around and between the
// parts; a sign before or after the number, or parentheses around everything; the
// locale's currency symbol before or after the number; digits with correctly placed
// group separators (groups of three); the decimal separator with digits; an exponent
// ("1e3", "2.5E-1"). Returns nothing for anything else, for empty text and for amounts
// whose value rounded to cents reaches kAmountLimit.
std::optional<double> ParseAmount(std::string_view text, const NumberLocale& locale);

// Writes `value` as a currency amount with exactly two decimals under `locale`.
// Rounding to cents works on the exact binary value; a value exactly halfway between two
// cents (0.125, -2.375) goes away from zero. Throws std::out_of_range for a value that is
// not finite or whose rounded magnitude reaches kAmountLimit.
std::string FormatCurrency(double value, const NumberLocale& locale);

// The magnitude of `value` in whole cents, rounded as FormatCurrency rounds; nothing when
// the value is not finite or the result reaches kAmountLimit.
std::optional<std::int64_t> RoundToCents(double value);

// The spreadsheet number format that shows amounts as the locale's currency with two
// decimals: symbol and spacing where the locale puts them, negatives in red parentheses,
// the positive section padded to line up with them. Separators are the code's own "," and
// "." (a reader shows them in its regional form). United States conventions give
// "$"#,##0.00_);[Red]\("$"#,##0.00\) and German ones #,##0.00 "€"_);[Red]\(#,##0.00 "€"\).
std::string CurrencyNumberFormatCode(const NumberLocale& locale);

// ParseAmount then FormatCurrency: the formatted text, or nothing for an invalid amount.
std::optional<std::string> FormatAmountText(std::string_view text, const NumberLocale& locale);

}  // namespace quillora::engine
