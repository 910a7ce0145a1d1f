#include "workbook/core/FileFormat.h"

#include <cmath>
#include <stdexcept>

#include "spreadsheet/numbers/Amount.h"

namespace quillora {

std::string LocaleDecimalSeparator(const engine::NumberLocale& locale) {
  // 0.5 under the user's settings is "0" + separator + "5" (or separator + "5" without a
  // leading zero); the separator is what stands between the digits.
  return locale.decimalSeparator;
}

std::string ToLocaleDecimal(std::string_view text, const engine::NumberLocale& locale) {
  const std::string separator = LocaleDecimalSeparator(locale);
  std::string result;
  for (const char c : text) {
    if (c == '.' || c == ',')
      result += separator;
    else
      result += c;
  }
  return result;
}

int FileFormatForVersion(std::string_view version, const engine::NumberLocale& locale) {
  const std::string localised = ToLocaleDecimal(version, locale);
  // A version number has no currency symbol and no grouping: read it with a locale that
  // knows only the decimal separator.
  engine::NumberLocale plain;
  plain.decimalSeparator = locale.decimalSeparator;
  plain.groupSeparator = "\x01";
  plain.currencySymbol = "\x01";
  const auto number = engine::ParseAmount(localised, plain);
  if (!number)
    throw std::runtime_error("Type mismatch: the version \"" + std::string(version) +
                             "\" is not a number");
  const double whole = std::nearbyint(*number);  // default rounding: halves to even
  return whole < 12 ? kFileFormatBefore12 : kFileFormatFrom12;
}

}  // namespace quillora
