// Numbers through digit placeholders: integer, decimal, scientific and fraction layouts.
#include <cmath>

#include "spreadsheet/numfmt/FormatCode.h"

namespace quillora::engine::detail {
namespace {

constexpr char kDigitSpace = '\x01';  // a blank as wide as a digit ('?' padding)

// Digits, '?' padding and (in the integer part) the "," of grouping, which shows as the
// reader's group separator.
void EmitPiece(std::string_view piece, RunBuilder& out) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= piece.size(); ++i) {
    if (i == piece.size() || piece[i] == kDigitSpace || piece[i] == ',') {
      if (i > start) out.Text(piece.substr(start, i - start));
      if (i < piece.size()) {
        if (piece[i] == ',') out.Text(out.separators.group);
        else out.Space("0");
      }
      start = i + 1;
    }
  }
}

std::string Pad(char symbol) {
  return symbol == '0' ? "0" : symbol == '?' ? std::string(1, kDigitSpace) : "";
}

// One piece per placeholder. Right-aligned: the first placeholder also takes the digits that
// have no placeholder of their own. Left-aligned (denominators): the last one takes them.
std::vector<std::string> Distribute(const std::vector<char>& symbols, const std::string& digits, bool leftAligned) {
  const std::size_t n = symbols.size(), length = digits.size();
  std::vector<std::string> pieces(n);
  if (n == 0) return pieces;
  for (std::size_t r = 0; r < n; ++r) {
    const std::size_t k = leftAligned ? r : n - 1 - r;
    const bool has = r < length;
    pieces[k] = has ? std::string(1, digits[leftAligned ? r : length - 1 - r]) : Pad(symbols[k]);
  }
  if (length > n) {
    if (leftAligned) pieces[n - 1] += digits.substr(n);
    else pieces[0].insert(0, digits, 0, length - n);
  }
  return pieces;
}

std::string Grouped(const std::string& text) {
  std::string reversed;
  int count = 0;
  for (std::size_t i = text.size(); i-- > 0;) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (digit && count > 0 && count % 3 == 0) reversed += ',';
    reversed += text[i];
    if (digit) ++count;
  }
  return std::string(reversed.rbegin(), reversed.rend());
}

std::string IntegerDigits(const Decimal& d) {
  std::string integer, fraction;
  SplitDecimal(d, 0, integer, fraction);
  return integer;
}

// Trailing zeros of the fraction: '#' drops them, '?' turns them into digit-wide blanks.
void TrimFraction(const std::vector<char>& symbols, std::string& fraction) {
  for (std::size_t i = fraction.size(); i-- > 0;) {
    if (fraction[i] != '0' || symbols[i] == '0') break;
    fraction[i] = symbols[i] == '?' ? kDigitSpace : '\0';
  }
  std::string kept;
  for (char c : fraction) {
    if (c != '\0') kept += c;
  }
  fraction = kept;
}

struct Layout {
  std::vector<std::string> integer, fraction, exponent, numerator, denominator;
  std::string looseInteger;  // integer digits with no integer placeholder to hold them
  int exponentValue = 0;
  bool blankFraction = false;  // a fraction of zero next to a whole number shows as blanks
  bool zero = true;            // nothing but zeros shown (no minus sign then)
};

// Best numerator and denominator (up to maxDenominator) for a fraction in [0, 1).
void BestFraction(double fraction, int maxDenominator, double& numerator, double& denominator) {
  double bestError = 2;
  for (int den = 1; den <= maxDenominator; ++den) {
    const double num = std::floor(fraction * den + 0.5);
    const double error = std::fabs(fraction - num / den);
    if (error < bestError - 1e-12) {
      bestError = error;
      numerator = num;
      denominator = den;
    }
  }
}

std::string WholeDigits(double x) {
  const std::string digits = IntegerDigits(RoundedDecimal(x, 0));
  return digits.empty() ? "0" : digits;
}

Layout FractionLayout(const Section& s, double v, const std::vector<char> (&symbols)[5]) {
  Layout layout;
  const bool hasInteger = !symbols[0].empty();
  double whole = std::floor(v);
  const double part = v - whole;
  double numerator = 0, denominator = 1;
  if (s.denominator > 0) {
    denominator = s.denominator;
    numerator = std::floor(part * denominator + 0.5);
  } else {
    int maxDenominator = 1;
    for (int i = 0; i < std::max(s.denominatorDigits, 1); ++i) maxDenominator *= 10;
    BestFraction(part, maxDenominator - 1, numerator, denominator);
  }
  if (numerator >= denominator) {  // the fraction rounded up to one
    whole += 1;
    numerator = 0;
  }
  if (!hasInteger) {
    numerator += whole * denominator;
    whole = 0;
  }
  std::string wholeDigits = IntegerDigits(RoundedDecimal(whole, 0));
  layout.blankFraction = hasInteger && numerator == 0;
  if (layout.blankFraction && wholeDigits.empty()) wholeDigits = "0";
  layout.zero = wholeDigits.empty() && numerator == 0;
  layout.integer = Distribute(symbols[0], wholeDigits, false);
  layout.numerator = Distribute(symbols[3], WholeDigits(numerator), false);
  layout.denominator = Distribute(symbols[4], WholeDigits(denominator), true);
  return layout;
}

Layout DecimalLayout(const Section& s, double v, const std::vector<char> (&symbols)[5]) {
  Layout layout;
  Decimal d;
  if (s.scientific && v != 0) {
    const Decimal exact = ExactDecimal(v);
    const int n = static_cast<int>(symbols[0].size());
    auto exponentFor = [&](int e) {
      if (n > 1 && symbols[0][0] == '#') return static_cast<int>(std::floor(static_cast<double>(e) / n)) * n;
      return e - (std::max(n, 1) - 1);
    };
    int e = exact.point - 1;
    for (int attempt = 0; attempt < 2; ++attempt) {
      layout.exponentValue = exponentFor(e);
      Decimal shifted = exact;
      shifted.point -= layout.exponentValue;
      d = RoundDecimal(shifted, s.fractionDigits);
      if (d.point <= e - layout.exponentValue + 1) break;
      ++e;  // rounding carried into a new digit (9.99 -> 10.0)
    }
  } else {
    d = RoundedDecimal(v, s.fractionDigits);
  }
  std::string integer, fraction;
  SplitDecimal(d, s.fractionDigits, integer, fraction);
  layout.zero = d.digits.empty();
  TrimFraction(symbols[1], fraction);
  if (symbols[0].empty()) layout.looseInteger = integer;
  layout.integer = Distribute(symbols[0], integer, false);
  if (s.grouping && !layout.integer.empty()) {
    std::string all;
    for (std::string& piece : layout.integer) {
      all += piece;
      piece.clear();
    }
    layout.integer[0] = Grouped(all);
  }
  layout.fraction.resize(symbols[1].size());
  for (std::size_t i = 0; i < fraction.size() && i < layout.fraction.size(); ++i) layout.fraction[i] = fraction.substr(i, 1);
  const int exponent = std::abs(layout.exponentValue);
  layout.exponent = Distribute(symbols[2], exponent == 0 ? "" : std::to_string(exponent), false);
  return layout;
}

}  // namespace

void RenderNumber(const Section& s, double magnitude, bool minus, RunBuilder& out) {
  double v = magnitude * std::pow(100.0, s.percent) / std::pow(1000.0, s.scaleThousands);
  if (!std::isfinite(v)) v = magnitude;
  std::vector<char> symbols[5];  // by zone
  for (const Item& item : s.items) {
    if (item.kind == Item::Kind::Digit) symbols[static_cast<int>(item.zone)].push_back(item.symbol);
  }
  const Layout layout = s.fraction ? FractionLayout(s, v, symbols) : DecimalLayout(s, v, symbols);
  const bool general = s.hasGeneral && symbols[0].empty() && symbols[1].empty();
  if (minus && (!layout.zero || general)) out.Text("-");
  std::size_t index[5] = {0, 0, 0, 0, 0};
  bool looseShown = false;
  for (const Item& item : s.items) {
    switch (item.kind) {
      case Item::Kind::Literal: out.Text(item.text); break;
      case Item::Kind::Space: out.Space(item.text); break;
      case Item::Kind::Fill: out.Fill(item.text); break;
      case Item::Kind::General: out.Text(GeneralNumberText(v)); break;
      case Item::Kind::Point:
        if (!looseShown) out.Text(layout.looseInteger);
        looseShown = true;
        out.Text(out.separators.decimal);
        break;
      case Item::Kind::Exponent:
        out.Text(item.text.substr(0, 1));
        if (layout.exponentValue < 0) out.Text("-");
        else if (item.plusSign) out.Text("+");
        break;
      case Item::Kind::Slash:
        if (layout.blankFraction) out.Space("/");
        else out.Text("/");
        break;
      case Item::Kind::Digit: {
        const auto zone = static_cast<int>(item.zone);
        const std::vector<std::string>* pieces[5] = {&layout.integer, &layout.fraction, &layout.exponent,
                                                     &layout.numerator, &layout.denominator};
        const std::size_t i = index[zone]++;
        if (i >= pieces[zone]->size()) break;
        const std::string& piece = (*pieces[zone])[i];
        if (layout.blankFraction && (item.zone == Item::Zone::Numerator || item.zone == Item::Zone::Denominator)) {
          for (std::size_t k = 0; k < std::max<std::size_t>(piece.size(), 1); ++k) out.Space("0");
        } else {
          EmitPiece(piece, out);
        }
        break;
      }
      default: break;
    }
  }
}

void RenderText(const Section& s, std::string_view text, RunBuilder& out) {
  for (const Item& item : s.items) {
    switch (item.kind) {
      case Item::Kind::TextValue: out.Text(text); break;
      case Item::Kind::Literal: out.Text(item.text); break;
      case Item::Kind::Space: out.Space(item.text); break;
      case Item::Kind::Fill: out.Fill(item.text); break;
      default: break;
    }
  }
}

}  // namespace quillora::engine::detail
