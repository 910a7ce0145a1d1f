// Format code text -> sections of items.
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "spreadsheet/numfmt/FormatCode.h"

namespace quillora::engine::detail {
namespace {

constexpr std::size_t kMaxSections = 4;
constexpr int kMaxDecimals = 30;

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix) {
  if (s.size() - at < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(s[at + i])) != std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

// Length of the UTF-8 character starting at `at` (1 for stray continuation bytes).
std::size_t CharLength(std::string_view s, std::size_t at) {
  const auto lead = static_cast<unsigned char>(s[at]);
  const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return std::min(n, s.size() - at);
}

struct NamedColor {
  std::string_view name;
  std::uint8_t index;
};
constexpr std::array kColors = {
    NamedColor{"black", 8}, NamedColor{"white", 9},  NamedColor{"red", 10},     NamedColor{"green", 11},
    NamedColor{"blue", 12}, NamedColor{"yellow", 13}, NamedColor{"magenta", 14}, NamedColor{"cyan", 15},
};

Item Make(Item::Kind kind, std::string text = {}, char symbol = 0) {
  Item item;
  item.kind = kind;
  item.text = std::move(text);
  item.symbol = symbol;
  return item;
}

void ParseBracket(std::string_view content, Section& section) {
  std::string lower(content);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const NamedColor& c : kColors) {
    if (lower == c.name) {
      section.color = c.index;
      return;
    }
  }
  if (lower.rfind("color", 0) == 0) {
    int n = 0;
    const auto [ptr, ec] = std::from_chars(lower.data() + 5, lower.data() + lower.size(), n);
    if (ec != std::errc() || ptr != lower.data() + lower.size() || n < 1 || n > 56) {
      throw NumberFormatError("format colour [" + std::string(content) + "] is not Color1..Color56");
    }
    section.color = static_cast<std::uint8_t>(n + 7);
    return;
  }
  if (!lower.empty() && (lower[0] == '<' || lower[0] == '>' || lower[0] == '=')) {
    Condition c;
    std::size_t opLength = 1;
    if (lower.rfind("<=", 0) == 0) c.op = Condition::Op::Le, opLength = 2;
    else if (lower.rfind(">=", 0) == 0) c.op = Condition::Op::Ge, opLength = 2;
    else if (lower.rfind("<>", 0) == 0) c.op = Condition::Op::Ne, opLength = 2;
    else if (lower[0] == '<') c.op = Condition::Op::Lt;
    else if (lower[0] == '>') c.op = Condition::Op::Gt;
    else c.op = Condition::Op::Eq;
    const auto [ptr, ec] = std::from_chars(lower.data() + opLength, lower.data() + lower.size(), c.value);
    if (ec != std::errc() || ptr != lower.data() + lower.size() || !std::isfinite(c.value)) {
      throw NumberFormatError("format condition [" + std::string(content) + "] is malformed");
    }
    section.condition = c;
    return;
  }
  if (!content.empty() && content[0] == '$') {
    const std::string_view symbol = content.substr(1, content.find('-') - 1);
    if (!symbol.empty()) section.items.push_back(Make(Item::Kind::Literal, std::string(symbol)));
    return;
  }
  if (!lower.empty() && (lower[0] == 'h' || lower[0] == 'm' || lower[0] == 's') &&
      lower.find_first_not_of(lower[0]) == std::string::npos) {
    section.items.push_back(Make(Item::Kind::DatePart, "[" + lower.substr(0, 1) + "]"));
    section.elapsedHours = true;
    return;
  }
  // Other tags (locale and calendar hints) do not change the display here.
}

// Splits the code into sections of raw items.
std::vector<Section> Tokenize(std::string_view code) {
  std::vector<Section> sections(1);
  for (std::size_t i = 0; i < code.size();) {
    Section& s = sections.back();
    const char c = code[i];
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == ';') {
      if (sections.size() == kMaxSections) throw NumberFormatError("format code has more than four sections");
      sections.emplace_back();
      ++i;
    } else if (c == '"') {
      const std::size_t end = code.find('"', i + 1);
      if (end == std::string_view::npos) throw NumberFormatError("format code has an unterminated quote");
      s.items.push_back(Make(Item::Kind::Literal, std::string(code.substr(i + 1, end - i - 1))));
      i = end + 1;
    } else if (c == '\\' || c == '_' || c == '*') {
      if (i + 1 >= code.size()) throw NumberFormatError(std::string("format code ends after '") + c + "'");
      const std::size_t n = CharLength(code, i + 1);
      const Item::Kind kind = c == '\\' ? Item::Kind::Literal : c == '_' ? Item::Kind::Space : Item::Kind::Fill;
      s.items.push_back(Make(kind, std::string(code.substr(i + 1, n))));
      i += 1 + n;
    } else if (c == '[') {
      const std::size_t end = code.find(']', i + 1);
      if (end == std::string_view::npos) throw NumberFormatError("format code has an unterminated '['");
      ParseBracket(code.substr(i + 1, end - i - 1), s);
      i = end + 1;
    } else if (c == '0' || c == '#' || c == '?') {
      s.items.push_back(Make(Item::Kind::Digit, {}, c));
      ++i;
    } else if (c == '.') {
      s.items.push_back(Make(Item::Kind::Point, ".", '.'));
      ++i;
    } else if (c == ',' || c == '%') {
      s.items.push_back(Make(Item::Kind::Literal, std::string(1, c), c));
      ++i;
    } else if (lower == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-')) {
      Item e = Make(Item::Kind::Exponent, std::string(code.substr(i, 2)));
      e.plusSign = code[i + 1] == '+';
      s.items.push_back(e);
      i += 2;
    } else if (c == '/') {
      s.items.push_back(Make(Item::Kind::Slash, "/", '/'));
      ++i;
    } else if (c == '@') {
      s.items.push_back(Make(Item::Kind::TextValue));
      ++i;
    } else if (StartsWithNoCase(code, i, "general")) {
      s.items.push_back(Make(Item::Kind::General));
      i += 7;
    } else if (StartsWithNoCase(code, i, "am/pm")) {
      s.items.push_back(Make(Item::Kind::DatePart, "am/pm"));
      i += 5;
    } else if (StartsWithNoCase(code, i, "a/p")) {
      s.items.push_back(Make(Item::Kind::DatePart, "a/p"));
      i += 3;
    } else if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's') {
      std::size_t n = 1;
      while (i + n < code.size() && std::tolower(static_cast<unsigned char>(code[i + n])) == lower) ++n;
      s.items.push_back(Make(Item::Kind::DatePart, std::string(n, lower)));
      i += n;
    } else {
      const std::size_t n = CharLength(code, i);
      s.items.push_back(Make(Item::Kind::Literal, std::string(code.substr(i, n)), c));
      i += n;
    }
  }
  return sections;
}

bool IsDatePart(const Item& item, char letter) {
  return item.kind == Item::Kind::DatePart && !item.text.empty() &&
         (item.text[0] == letter || (item.text[0] == '[' && item.text.size() > 1 && item.text[1] == letter));
}

void FinishDate(Section& s) {
  // "m"/"mm" next to hours or seconds mean minutes ("M"/"MM").
  std::vector<std::size_t> parts;
  for (std::size_t i = 0; i < s.items.size(); ++i) {
    if (s.items[i].kind == Item::Kind::DatePart) parts.push_back(i);
  }
  for (std::size_t k = 0; k < parts.size(); ++k) {
    Item& item = s.items[parts[k]];
    if (item.text != "m" && item.text != "mm") continue;
    const bool afterHour = k > 0 && IsDatePart(s.items[parts[k - 1]], 'h');
    const bool beforeSecond = k + 1 < parts.size() && IsDatePart(s.items[parts[k + 1]], 's');
    if (afterHour || beforeSecond) item.text = item.text == "m" ? "M" : "MM";
  }
  // ".0" after seconds: fractions of a second.
  std::vector<Item> items;
  for (std::size_t i = 0; i < s.items.size(); ++i) {
    const Item& item = s.items[i];
    if (item.kind == Item::Kind::Point && !items.empty() && IsDatePart(items.back(), 's')) {
      std::size_t zeros = 0;
      while (i + 1 + zeros < s.items.size() && s.items[i + 1 + zeros].kind == Item::Kind::Digit) ++zeros;
      if (zeros > 0) {
        s.secondDecimals = static_cast<int>(std::min<std::size_t>(zeros, 3));
        items.push_back(Make(Item::Kind::DatePart, "." + std::string(static_cast<std::size_t>(s.secondDecimals), '0')));
        i += zeros;
        continue;
      }
    }
    if (item.kind == Item::Kind::Digit || item.kind == Item::Kind::Point || item.kind == Item::Kind::Slash) {
      items.push_back(Make(Item::Kind::Literal, std::string(1, item.symbol)));
    } else if (item.kind == Item::Kind::Exponent) {
      items.push_back(Make(Item::Kind::Literal, item.text));
    } else {
      items.push_back(item);
    }
  }
  s.items = std::move(items);
}

bool NextIsDigit(const std::vector<Item>& items, std::size_t i) {
  while (i + 1 < items.size() && items[i + 1].kind == Item::Kind::Literal && items[i + 1].symbol == ',') ++i;
  return i + 1 < items.size() && items[i + 1].kind == Item::Kind::Digit;
}

void FinishNumber(Section& s) {
  // Fraction: digits, "/", then digit placeholders or a fixed denominator.
  std::size_t slash = s.items.size();
  bool digitBefore = false;
  for (std::size_t i = 0; i < s.items.size(); ++i) {
    if (s.items[i].kind == Item::Kind::Digit) digitBefore = true;
    if (s.items[i].kind == Item::Kind::Slash) {
      const bool digitAfter = i + 1 < s.items.size() &&
                              (s.items[i + 1].kind == Item::Kind::Digit ||
                               (s.items[i + 1].kind == Item::Kind::Literal && std::isdigit(static_cast<unsigned char>(s.items[i + 1].symbol))));
      if (digitBefore && digitAfter && slash == s.items.size() && !s.scientific) {
        slash = i;
      } else {
        s.items[i].kind = Item::Kind::Literal;
      }
    }
  }
  if (slash < s.items.size()) {
    s.fraction = true;
    // Numerator: the run of placeholders right before the slash; earlier ones are the integer.
    std::size_t k = slash;
    while (k > 0 && (s.items[k - 1].kind == Item::Kind::Digit ||
                     (s.items[k - 1].kind == Item::Kind::Literal && s.items[k - 1].symbol == ','))) {
      --k;
      if (s.items[k].kind == Item::Kind::Digit) s.items[k].zone = Item::Zone::Numerator;
    }
    std::string fixed;
    for (std::size_t i = slash + 1; i < s.items.size(); ++i) {
      Item& item = s.items[i];
      if (item.kind == Item::Kind::Digit) {
        item.zone = Item::Zone::Denominator;
        ++s.denominatorDigits;
      } else if (item.kind == Item::Kind::Literal && std::isdigit(static_cast<unsigned char>(item.symbol)) &&
                 s.denominatorDigits == 0) {
        fixed += item.symbol;
        item.kind = Item::Kind::Digit;
        item.zone = Item::Zone::Denominator;
        item.symbol = '0';
      } else {
        break;
      }
    }
    if (!fixed.empty()) {
      s.denominator = 0;
      std::from_chars(fixed.data(), fixed.data() + std::min<std::size_t>(fixed.size(), 6), s.denominator);
      s.denominatorDigits = static_cast<int>(std::min<std::size_t>(fixed.size(), 6));
    }
    s.denominatorDigits = std::min(s.denominatorDigits, 4);
  }
  Item::Zone zone = Item::Zone::Integer;
  bool anyDigit = false;
  std::vector<Item> items;
  for (std::size_t i = 0; i < s.items.size(); ++i) {
    Item item = s.items[i];
    if (item.kind == Item::Kind::Point && zone == Item::Zone::Integer && !s.fraction) {
      zone = Item::Zone::Fraction;
    } else if (item.kind == Item::Kind::Exponent && !s.fraction) {
      if (s.scientific) item.kind = Item::Kind::Literal;
      s.scientific = true;
      zone = Item::Zone::Exponent;
    } else if (item.kind == Item::Kind::Digit) {
      anyDigit = true;
      if (item.zone == Item::Zone::Integer) item.zone = zone;
      if (item.zone == Item::Zone::Fraction) {
        if (s.fractionDigits >= kMaxDecimals) continue;
        ++s.fractionDigits;
      }
    } else if (item.kind == Item::Kind::Literal && item.symbol == ',' && anyDigit && zone != Item::Zone::Exponent) {
      if (NextIsDigit(s.items, i)) {
        if (zone == Item::Zone::Integer) s.grouping = true;
      } else {
        ++s.scaleThousands;
      }
      continue;
    } else if (item.kind == Item::Kind::Literal && item.symbol == '%') {
      ++s.percent;
    }
    if (item.kind == Item::Kind::Point && zone != Item::Zone::Fraction) item.kind = Item::Kind::Literal;
    items.push_back(std::move(item));
  }
  s.items = std::move(items);
  s.scaleThousands = std::min(s.scaleThousands, 4);
  s.percent = std::min(s.percent, 4);
}

}  // namespace

bool Condition::Holds(double x) const {
  switch (op) {
    case Op::Lt: return x < value;
    case Op::Le: return x <= value;
    case Op::Gt: return x > value;
    case Op::Ge: return x >= value;
    case Op::Eq: return x == value;
    default: return x != value;
  }
}

CompiledFormat ParseFormatCode(std::string_view code) {
  CompiledFormat f;
  f.code = std::string(code);
  f.sections = Tokenize(code);
  for (Section& s : f.sections) {
    for (const Item& item : s.items) {
      s.isDate = s.isDate || item.kind == Item::Kind::DatePart;
      s.isText = s.isText || item.kind == Item::Kind::TextValue;
      s.hasGeneral = s.hasGeneral || item.kind == Item::Kind::General;
    }
    if (s.isDate) {
      FinishDate(s);
    } else {
      FinishNumber(s);
    }
    f.anyCondition = f.anyCondition || s.condition.has_value();
  }
  if (f.sections.size() == 1 && f.sections[0].items.empty() && !f.sections[0].condition) {
    f.sections[0].items.push_back(Make(Item::Kind::General));
    f.sections[0].hasGeneral = true;
  }
  return f;
}

}  // namespace quillora::engine::detail
