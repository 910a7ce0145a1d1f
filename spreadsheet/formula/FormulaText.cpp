#include "spreadsheet/formula/FormulaText.h"

#include <array>
#include <cctype>
#include <charconv>

#include "spreadsheet/formula/FormulaTokens.h"

namespace quillora::engine {
namespace {

struct ErrorName {
  ErrorCode code;
  std::string_view text;
};
constexpr std::array kErrors = {
    ErrorName{ErrorCode::Null, "#NULL!"}, ErrorName{ErrorCode::Div0, "#DIV/0!"},
    ErrorName{ErrorCode::Value, "#VALUE!"}, ErrorName{ErrorCode::Ref, "#REF!"},
    ErrorName{ErrorCode::Name, "#NAME?"}, ErrorName{ErrorCode::Num, "#NUM!"},
    ErrorName{ErrorCode::NA, "#N/A"},
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-8 to code points; throws FormulaError on malformed input.
std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || utf8.size() - i <= static_cast<std::size_t>(extra)) {
      throw FormulaError("formula text is not valid UTF-8");
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((c & 0xC0) != 0x80) throw FormulaError("formula text is not valid UTF-8");
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) throw FormulaError("formula text is not valid UTF-8");
    out += cp;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

bool PlainIdentifier(std::string_view name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) || name[0] == '.') return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') return false;
  }
  // A name that reads as a cell reference ("A1", "IV65536") is quoted.
  std::size_t end = 0;
  return !ReadA1Cell(name, end) || end != name.size();
}

void UpperExponent(std::string& s) {
  for (char& c : s) {
    if (c == 'e') c = 'E';
  }
}

}  // namespace

std::string_view ErrorText(ErrorCode code) {
  for (const ErrorName& e : kErrors) {
    if (e.code == code) return e.text;
  }
  return "#VALUE!";
}

std::optional<ErrorCode> ErrorFromText(std::string_view text) {
  for (const ErrorName& e : kErrors) {
    if (text.size() == e.text.size()) {
      bool same = true;
      for (std::size_t i = 0; i < text.size(); ++i) {
        same = same && std::toupper(static_cast<unsigned char>(text[i])) == e.text[i];
      }
      if (same) return e.code;
    }
  }
  return std::nullopt;
}

bool IsErrorCode(std::uint8_t byte) {
  for (const ErrorName& e : kErrors) {
    if (static_cast<std::uint8_t>(e.code) == byte) return true;
  }
  return false;
}

std::string QuoteSheetName(std::string_view name) {
  if (PlainIdentifier(name)) return std::string(name);
  std::string quoted = "'";
  for (char c : name) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

std::string NumberLiteral(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string s(buffer.data(), result.ptr);
  UpperExponent(s);
  return s;
}

std::string NumberToText(double value) {
  if (value == 0) return "0";
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  std::string s(buffer.data(), result.ptr);
  UpperExponent(s);
  return s;
}

std::string DecodeBiffString(std::span<const std::uint8_t> chars, bool wide) {
  std::string out;
  if (!wide) {
    for (std::uint8_t c : chars) AppendUtf8(out, c);
    return out;
  }
  for (std::size_t i = 0; i + 1 < chars.size(); i += 2) {
    char32_t unit = static_cast<char32_t>(chars[i] | (chars[i + 1] << 8));
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < chars.size()) {
      const char32_t low = static_cast<char32_t>(chars[i + 2] | (chars[i + 3] << 8));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;
    AppendUtf8(out, unit);
  }
  return out;
}

void AppendBiffString(std::vector<std::uint8_t>& out, std::string_view utf8) {
  std::u16string units;
  for (char32_t cp : CodePoints(utf8)) {
    if (cp >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(cp);
    }
  }
  if (units.size() > 255) throw FormulaError("text in a formula is longer than 255 characters");
  bool wide = false;
  for (char16_t u : units) wide = wide || u > 0xFF;
  out.push_back(static_cast<std::uint8_t>(units.size()));
  out.push_back(wide ? 1 : 0);
  for (char16_t u : units) {
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
    if (wide) out.push_back(static_cast<std::uint8_t>(u >> 8));
  }
}

}  // namespace quillora::engine
