#include <charconv>
#include <string>
#include <vector>

#include "spreadsheet/numbers/Amount.h"

namespace quillora::engine {
namespace {

// Blanks a user may type or a locale may print: space, tab, no-break space (U+00A0),
// narrow no-break space (U+202F) and thin space (U+2009).
const std::vector<std::string> kBlanks = {" ", "\t", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89"};
// Minus signs: the ASCII hyphen-minus and U+2212.
const std::vector<std::string> kMinusSigns = {"-", "\xE2\x88\x92"};
// Apostrophe-like group separators (U+2019 and "'") stand for each other.
const std::vector<std::string> kApostrophes = {"\xE2\x80\x99", "'"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Contains(const std::vector<std::string>& set, const std::string& s) {
  for (const auto& item : set) {
    if (item == s) return true;
  }
  return false;
}

// A left-to-right reader over UTF-8 text that matches whole strings.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool atEnd() const { return pos_ == text_.size(); }
  std::size_t pos() const { return pos_; }
  void reset(std::size_t pos) { pos_ = pos; }
  char peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  void advance(std::size_t n = 1) { pos_ += n; }

  // Consumes `s` when the text continues with it.
  bool match(std::string_view s) {
    if (s.empty() || text_.substr(pos_, s.size()) != s) return false;
    pos_ += s.size();
    return true;
  }
  bool matchAny(const std::vector<std::string>& set) {
    for (const auto& s : set) {
      if (match(s)) return true;
    }
    return false;
  }
  void skipBlanks() {
    while (matchAny(kBlanks)) {
    }
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

struct Separators {
  std::string decimal;
  std::vector<std::string> groups;  // empty when the locale groups nothing
  std::vector<std::string> minus;
};

Separators SeparatorsOf(const NumberLocale& locale) {
  Separators s;
  s.decimal = locale.decimalSeparator.empty() ? std::string(".") : locale.decimalSeparator;
  const std::string& group = locale.groupSeparator;
  if (!group.empty() && group != s.decimal) {
    if (Contains(kBlanks, group)) {
      s.groups = {" ", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89"};
    } else if (Contains(kApostrophes, group)) {
      s.groups = kApostrophes;
    } else {
      s.groups = {group};
    }
  }
  s.minus = kMinusSigns;
  if (!locale.minusSign.empty() && !Contains(s.minus, locale.minusSign)) {
    s.minus.push_back(locale.minusSign);
  }
  return s;
}

// Appends a run of digits; returns how many there were.
std::size_t ReadDigits(Reader& in, std::string& out) {
  std::size_t n = 0;
  while (IsDigit(in.peek())) {
    out += in.peek();
    in.advance();
    ++n;
  }
  return n;
}

// A group separator followed by exactly three digits (and no fourth) continues the number.
bool ReadGroup(Reader& in, const Separators& seps, std::string& out) {
  const std::size_t start = in.pos();
  if (in.matchAny(seps.groups) && IsDigit(in.peek()) && IsDigit(in.peek(1)) &&
      IsDigit(in.peek(2)) && !IsDigit(in.peek(3))) {
    ReadDigits(in, out);
    return true;
  }
  in.reset(start);
  return false;
}

// The unsigned number: digits with optional grouping, decimals and exponent, written out
// in the form std::from_chars reads. Nothing when there is no number here.
std::optional<std::string> ReadNumber(Reader& in, const Separators& seps) {
  std::string number;
  const std::size_t leading = ReadDigits(in, number);
  // A grouped number has one to three leading digits and never starts with a zero: "0.125"
  // under German settings is no thousands grouping of 125.
  if (leading > 0 && leading <= 3 && number.front() != '0') {
    while (ReadGroup(in, seps, number)) {
    }
  }
  std::size_t decimals = 0;
  if (in.match(seps.decimal)) {
    number += '.';
    decimals = ReadDigits(in, number);
  }
  if (leading == 0 && decimals == 0) return std::nullopt;
  if (in.peek() == 'e' || in.peek() == 'E') {
    const std::size_t start = in.pos();
    in.advance();
    std::string exponent = "e";
    if (in.peek() == '+' || in.peek() == '-') {
      exponent += in.peek();
      in.advance();
    }
    if (ReadDigits(in, exponent) > 0) {
      number += exponent;
    } else {
      in.reset(start);
    }
  }
  return number;
}

// Signs and the currency symbol around the number, each at most once overall.
struct Decorations {
  bool parentheses = false;
  bool sign = false;
  bool negative = false;
  bool symbol = false;
};

void ReadDecorations(Reader& in, const Separators& seps, const NumberLocale& locale,
                     Decorations& d) {
  for (;;) {
    in.skipBlanks();
    if (!d.sign && !d.parentheses && in.matchAny(seps.minus)) {
      d.sign = d.negative = true;
    } else if (!d.sign && !d.parentheses && in.match("+")) {
      d.sign = true;
    } else if (!d.symbol && in.match(locale.currencySymbol)) {
      d.symbol = true;
    } else {
      return;
    }
  }
}

}  // namespace

std::optional<double> ParseAmount(std::string_view text, const NumberLocale& locale) {
  const Separators seps = SeparatorsOf(locale);
  Reader in(text);
  Decorations d;
  in.skipBlanks();
  d.parentheses = in.match("(");
  ReadDecorations(in, seps, locale, d);
  const std::optional<std::string> number = ReadNumber(in, seps);
  if (!number) return std::nullopt;
  ReadDecorations(in, seps, locale, d);
  if (d.parentheses) {
    if (!in.match(")")) return std::nullopt;
    in.skipBlanks();
  }
  if (!in.atEnd()) return std::nullopt;

  double value = 0;
  const char* first = number->data();
  const char* last = first + number->size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  if (d.negative || d.parentheses) value = -value;
  if (!RoundToCents(value)) return std::nullopt;
  return value;
}

}  // namespace quillora::engine
