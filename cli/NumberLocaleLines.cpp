// NumberLocale as eight lines: decimal separator, group separator, minus sign, currency
// symbol, symbol place (0 before, 1 after), text between symbol and number, negative form
// (its number), leading zero (0 or 1). No field holds a line break.
#include <string_view>
#include <vector>

#include "cli/UserNumberLocale.h"

namespace quillora::cli {

std::string NumberLocaleLines(const engine::NumberLocale& locale) {
  return locale.decimalSeparator + "\n" + locale.groupSeparator + "\n" + locale.minusSign + "\n" +
         locale.currencySymbol + "\n" + std::to_string(static_cast<int>(locale.currencyPlacement)) + "\n" +
         locale.currencySpacing + "\n" + std::to_string(static_cast<int>(locale.negativeForm)) + "\n" +
         (locale.leadingZero ? "1" : "0");
}

std::optional<engine::NumberLocale> NumberLocaleFromLines(const std::string& lines) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1)
    fields.push_back(lines.substr(start, end - start));
  fields.push_back(lines.substr(start));
  const auto digit = [](std::string_view field, int last) {
    return field.size() == 1 && field[0] >= '0' && field[0] <= '0' + last ? field[0] - '0' : -1;
  };
  if (fields.size() != 8) return std::nullopt;
  const int placement = digit(fields[4], 1), negative = digit(fields[6], 4), zero = digit(fields[7], 1);
  if (placement < 0 || negative < 0 || zero < 0) return std::nullopt;
  engine::NumberLocale locale;
  locale.decimalSeparator = fields[0];
  locale.groupSeparator = fields[1];
  locale.minusSign = fields[2];
  locale.currencySymbol = fields[3];
  locale.currencyPlacement = static_cast<engine::CurrencyPlacement>(placement);
  locale.currencySpacing = fields[5];
  locale.negativeForm = static_cast<engine::NegativeForm>(negative);
  locale.leadingZero = zero == 1;
  return locale;
}

}  // namespace quillora::cli
