#pragma once

#include <string>

namespace quillora::engine {

// Where the currency symbol stands relative to the number.
enum class CurrencyPlacement { Before, After };

// How a negative currency amount is written (shown for "$" before the number):
// SignFirst "-$1.00", SignBeforeNumber "$-1.00", SignAfterNumber "$1.00-",
// SignLast "1.00 €-", Parentheses "($1.00)".
enum class NegativeForm { SignFirst, SignBeforeNumber, SignAfterNumber, SignLast, Parentheses };

// The regional conventions for reading and writing amounts, as plain data so the engine
// needs no locale support of the C library. All texts are UTF-8; separators and symbols
// may be several bytes long (U+00A0 and U+202F group separators, "CHF", "€").
struct NumberLocale {
  std::string decimalSeparator = ".";
  std::string groupSeparator = ",";
  std::string minusSign = "-";
  std::string currencySymbol = "$";
  CurrencyPlacement currencyPlacement = CurrencyPlacement::Before;
  // Text between the symbol and the number ("" for "$1.00", U+00A0 for "1,00 €").
  std::string currencySpacing;
  NegativeForm negativeForm = NegativeForm::Parentheses;
  // Whether amounts below one show "0" before the decimal separator ("$0.50" or "$.50").
  bool leadingZero = true;
};

// The conventions used when the system has no regional settings at all (C or POSIX):
// those of the United States, "$1,234.50" and "($1,234.50)".
inline NumberLocale UnitedStatesConventions() { return NumberLocale{}; }

}  // namespace quillora::engine
