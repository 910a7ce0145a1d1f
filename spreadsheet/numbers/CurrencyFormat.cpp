#include <cmath>
#include <stdexcept>
#include <string>

#include "spreadsheet/numbers/Amount.h"

namespace quillora::engine {
namespace {

constexpr std::int64_t kCentsLimit = 1'000'000'000'000'000;  // kAmountLimit in cents

// The whole-number digits with a group separator before every third digit from the right.
std::string GroupedDigits(std::int64_t whole, const std::string& separator) {
  const std::string digits = std::to_string(whole);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace

std::optional<std::int64_t> RoundToCents(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double magnitude = std::fabs(value);
  if (magnitude >= kAmountLimit) return std::nullopt;
  // c + error is magnitude * 100 exactly (fma gives the rounding error of the product),
  // so the decision below looks at the exact value, not at a rounded product.
  const double c = magnitude * 100.0;
  const double error = std::fma(magnitude, 100.0, -c);
  const double whole = std::floor(c);
  // Above, below or exactly at the half: d is exact, and when it is not zero it outweighs
  // the error, which is at most half a unit in the last place of c.
  const double d = (c - whole) - 0.5;
  const bool up = d > 0 || (d == 0 && error >= 0);  // exact halves go away from zero
  const auto cents = static_cast<std::int64_t>(whole) + (up ? 1 : 0);
  if (cents >= kCentsLimit) return std::nullopt;
  return cents;
}

std::string FormatCurrency(double value, const NumberLocale& locale) {
  const std::optional<std::int64_t> cents = RoundToCents(value);
  if (!cents) {
    throw std::out_of_range("The amount " + std::to_string(value) +
                            " is too large to be written as currency (limit 1e13)");
  }
  const std::int64_t whole = *cents / 100;
  const std::int64_t fraction = *cents % 100;
  std::string number;
  if (whole != 0 || locale.leadingZero) number = GroupedDigits(whole, locale.groupSeparator);
  number += locale.decimalSeparator.empty() ? std::string(".") : locale.decimalSeparator;
  number += static_cast<char>('0' + fraction / 10);
  number += static_cast<char>('0' + fraction % 10);

  const bool negative = value < 0 && *cents != 0;
  const std::string& minus = locale.minusSign.empty() ? std::string("-") : locale.minusSign;
  const bool hasSymbol = !locale.currencySymbol.empty();
  const std::string spacing = hasSymbol ? locale.currencySpacing : std::string();
  const bool before = locale.currencyPlacement == CurrencyPlacement::Before;
  const std::string head = hasSymbol && before ? locale.currencySymbol + spacing : std::string();
  const std::string tail = hasSymbol && !before ? spacing + locale.currencySymbol : std::string();
  if (!negative) return head + number + tail;
  switch (locale.negativeForm) {
    case NegativeForm::SignFirst:
      return minus + head + number + tail;
    case NegativeForm::SignBeforeNumber:
      return head + minus + number + tail;
    case NegativeForm::SignAfterNumber:
      return head + number + minus + tail;
    case NegativeForm::SignLast:
      return head + number + tail + minus;
    case NegativeForm::Parentheses:
      break;
  }
  return "(" + head + number + tail + ")";
}

std::optional<std::string> FormatAmountText(std::string_view text, const NumberLocale& locale) {
  const std::optional<double> value = ParseAmount(text, locale);
  if (!value) return std::nullopt;
  return FormatCurrency(*value, locale);
}

}  // namespace quillora::engine
