#include "spreadsheet/formula/ValueOps.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "spreadsheet/formula/FormulaText.h"

namespace quillora::engine {
namespace {

int Rank(const Value& v) {
  if (std::holds_alternative<double>(v)) return 0;
  if (std::holds_alternative<std::string>(v)) return 1;
  return 2;
}

bool EqualsNoCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

std::optional<double> ParseNumberText(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  if (begin == end) return std::nullopt;
  if (text[begin] == '+') ++begin;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data() + begin, text.data() + end, value);
  if (ec != std::errc() || ptr != text.data() + end || !std::isfinite(value)) return std::nullopt;
  return value;
}

NumberOrError ToNumber(const Value& v) {
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* b = std::get_if<bool>(&v)) return *b ? 1.0 : 0.0;
  if (const auto* e = std::get_if<ErrorCode>(&v)) return *e;
  if (const auto* s = std::get_if<std::string>(&v)) {
    if (auto n = ParseNumberText(*s)) return *n;
    return ErrorCode::Value;
  }
  return 0.0;
}

std::optional<std::string> ToText(const Value& v) {
  if (const auto* d = std::get_if<double>(&v)) return NumberToText(*d);
  if (const auto* b = std::get_if<bool>(&v)) return std::string(*b ? "TRUE" : "FALSE");
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  if (IsError(v)) return std::nullopt;
  return std::string();
}

std::variant<bool, ErrorCode> ToBoolean(const Value& v) {
  if (const auto* d = std::get_if<double>(&v)) return *d != 0;
  if (const auto* b = std::get_if<bool>(&v)) return *b;
  if (const auto* e = std::get_if<ErrorCode>(&v)) return *e;
  if (const auto* s = std::get_if<std::string>(&v)) {
    if (EqualsNoCase(*s, "TRUE")) return true;
    if (EqualsNoCase(*s, "FALSE")) return false;
    return ErrorCode::Value;
  }
  return false;
}

int CompareValues(const Value& a, const Value& b) {
  const bool aEmpty = std::holds_alternative<std::monostate>(a);
  const bool bEmpty = std::holds_alternative<std::monostate>(b);
  if (aEmpty && bEmpty) return 0;
  if (aEmpty || bEmpty) {
    const Value& other = aEmpty ? b : a;
    Value blank;
    if (std::holds_alternative<double>(other)) blank = 0.0;
    else if (std::holds_alternative<std::string>(other)) blank = std::string();
    else blank = false;
    return aEmpty ? CompareValues(blank, b) : CompareValues(a, blank);
  }
  if (Rank(a) != Rank(b)) return Rank(a) < Rank(b) ? -1 : 1;
  if (const auto* x = std::get_if<double>(&a)) {
    const double y = std::get<double>(b);
    return *x < y ? -1 : *x > y ? 1 : 0;
  }
  if (const auto* x = std::get_if<std::string>(&a)) {
    const std::string& y = std::get<std::string>(b);
    for (std::size_t i = 0; i < x->size() && i < y.size(); ++i) {
      const int cx = std::tolower(static_cast<unsigned char>((*x)[i]));
      const int cy = std::tolower(static_cast<unsigned char>(y[i]));
      if (cx != cy) return cx < cy ? -1 : 1;
    }
    return x->size() < y.size() ? -1 : x->size() > y.size() ? 1 : 0;
  }
  const bool x = std::get<bool>(a), y = std::get<bool>(b);
  return x == y ? 0 : x ? 1 : -1;
}

double RoundDigits(double value, int digits) {
  if (!std::isfinite(value) || value == 0) return value;
  if (digits > 15) return value;
  if (digits < -308) return 0;
  const double scale = std::pow(10.0, std::abs(digits));
  double scaled = digits >= 0 ? value * scale : value / scale;
  if (!std::isfinite(scaled)) return value;
  // Locale-independent round trip through 15 significant digits.
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, scaled, std::chars_format::general, 15);
  std::from_chars(buffer, written.ptr, scaled);
  scaled = std::round(scaled);
  return digits >= 0 ? scaled / scale : scaled * scale;
}

}  // namespace quillora::engine
