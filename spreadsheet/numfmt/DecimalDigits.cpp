// Decimal digits of a double at 15 significant digits, rounded half away from zero.
#include <charconv>
#include <cmath>

#include "spreadsheet/numfmt/FormatCode.h"

namespace quillora::engine::detail {
namespace {

// Rounds digits (a decimal significand) to `keep` digits, half away from zero; returns true
// when a carry added a leading digit.
bool RoundDigitString(std::string& digits, int keep) {
  if (keep < 0) {
    digits.clear();
    return false;
  }
  if (static_cast<std::size_t>(keep) >= digits.size()) return false;
  const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
  digits.resize(static_cast<std::size_t>(keep));
  if (!up) return false;
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  return true;
}

void TrimZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
}

}  // namespace

Decimal ExactDecimal(double magnitude) {
  Decimal d;
  magnitude = std::fabs(magnitude);
  if (magnitude == 0 || !std::isfinite(magnitude)) return d;
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14).ptr;
  // "d.dddddddddddddde+XX"
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = text.find('e');
  d.digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
  int exponent = 0;
  const std::string_view exp = text.substr(e + 1);
  std::from_chars(exp.data() + (exp[0] == '+' ? 1 : 0), exp.data() + exp.size(), exponent);
  d.point = exponent + 1;
  TrimZeros(d);
  return d;
}

Decimal RoundDecimal(Decimal d, int decimals) {
  if (d.digits.empty()) return d;
  const long long keep = static_cast<long long>(d.point) + decimals;
  if (keep < static_cast<long long>(d.digits.size())) {
    if (RoundDigitString(d.digits, keep < 0 ? -1 : static_cast<int>(keep))) ++d.point;
    TrimZeros(d);
  }
  return d;
}

Decimal RoundedDecimal(double magnitude, int decimals) { return RoundDecimal(ExactDecimal(magnitude), decimals); }

void SplitDecimal(const Decimal& d, int decimals, std::string& integer, std::string& fraction) {
  integer.clear();
  fraction.clear();
  const int length = static_cast<int>(d.digits.size());
  for (int i = 0; i < d.point; ++i) integer += i < length ? d.digits[static_cast<std::size_t>(i)] : '0';
  for (int k = 0; k < decimals; ++k) {
    const int i = d.point + k;
    fraction += i >= 0 && i < length ? d.digits[static_cast<std::size_t>(i)] : '0';
  }
}

}  // namespace quillora::engine::detail

namespace quillora::engine {

std::string GeneralNumberText(double value) {
  using detail::Decimal;
  if (!std::isfinite(value)) return "#NUM!";
  if (value == 0) return "0";
  const bool negative = value < 0;
  const int room = 11 - (negative ? 1 : 0);
  const std::string sign = negative ? "-" : "";
  const Decimal exact = detail::RoundedDecimal(value, 400);
  int e = exact.point - 1;

  auto significant = [](const std::string& s) {
    std::size_t n = 0;
    bool leading = true;
    for (char c : s) {
      if (c == 'E') break;
      if (c < '0' || c > '9') continue;
      if (leading && c == '0') continue;
      leading = false;
      ++n;
    }
    return n;
  };

  std::string decimal;
  if (e < 11) {
    const int integerDigits = std::max(e + 1, 1);
    const int decimals = std::max(room - integerDigits - 1, 0);
    const Decimal d = detail::RoundedDecimal(value, decimals);
    std::string integer, fraction;
    detail::SplitDecimal(d, decimals, integer, fraction);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    decimal = (integer.empty() ? "0" : integer) + (fraction.empty() ? "" : "." + fraction);
    if (static_cast<int>(decimal.size()) > room || d.digits.empty()) decimal.clear();
  }

  // Scientific: d.dddddE+XX within the room.
  std::string digits = exact.digits;
  const int exponentDigits = std::abs(e) >= 100 ? 3 : 2;
  const int mantissaDecimals = std::max(room - 2 - 2 - exponentDigits, 0);
  Decimal m{digits, 1};
  {
    Decimal rounded = m;
    const std::size_t keep = static_cast<std::size_t>(1 + mantissaDecimals);
    if (rounded.digits.size() > keep) {
      const bool up = rounded.digits[keep] >= '5';
      rounded.digits.resize(keep);
      if (up) {
        std::size_t i = keep;
        while (i > 0 && rounded.digits[i - 1] == '9') rounded.digits[--i] = '0';
        if (i == 0) {
          rounded.digits.insert(rounded.digits.begin(), '1');
          rounded.digits.pop_back();
          ++e;
        } else {
          ++rounded.digits[i - 1];
        }
      }
    }
    while (rounded.digits.size() > 1 && rounded.digits.back() == '0') rounded.digits.pop_back();
    m = rounded;
  }
  std::string exponent = std::to_string(std::abs(e));
  while (exponent.size() < 2) exponent.insert(exponent.begin(), '0');
  std::string scientific = m.digits.substr(0, 1) + (m.digits.size() > 1 ? "." + m.digits.substr(1) : "") + "E" +
                           (e < 0 ? "-" : "+") + exponent;

  if (decimal.empty() || e < -9 || (e < -4 && significant(decimal) < significant(scientific))) {
    return sign + scientific;
  }
  return sign + decimal;
}

}  // namespace quillora::engine
