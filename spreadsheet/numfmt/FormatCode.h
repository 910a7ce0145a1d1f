#pragma once

// The parsed form of a number-format code (internal to numfmt).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/numfmt/NumberFormat.h"

namespace quillora::engine::detail {

struct Item {
  enum class Kind : std::uint8_t {
    Literal,      // text
    Space,        // _x: text is x
    Fill,         // *x: text is x
    Digit,        // placeholder: symbol '0', '#' or '?'
    Point,        // decimal point
    Exponent,     // E+ / E-: plusSign when "+"
    Slash,        // fraction bar
    TextValue,    // @
    General,      // General
    DatePart,     // text is the part's code, lower case ("yyyy", "mm", "am/pm", "[h]", ".00")
  };
  Kind kind = Kind::Literal;
  std::string text;
  char symbol = 0;
  bool plusSign = false;
  // Digit placeholders: where they sit.
  enum class Zone : std::uint8_t { Integer, Fraction, Exponent, Numerator, Denominator } zone = Zone::Integer;
};

struct Condition {
  enum class Op : std::uint8_t { Lt, Le, Gt, Ge, Eq, Ne } op = Op::Eq;
  double value = 0;
  bool Holds(double x) const;
};

struct Section {
  std::vector<Item> items;
  std::optional<std::uint8_t> color;
  std::optional<Condition> condition;
  bool isDate = false;
  bool isText = false;       // has @
  bool hasGeneral = false;
  // Number layout, from the placeholders.
  bool grouping = false;
  int scaleThousands = 0;    // trailing commas
  int percent = 0;           // count of %
  bool scientific = false;
  bool fraction = false;
  int fractionDigits = 0;    // placeholders after the point
  int denominator = 0;       // fixed denominator ("# ?/8"), 0 for best fit
  int denominatorDigits = 0; // placeholders in the denominator
  bool elapsedHours = false; // [h] and friends present
  int secondDecimals = 0;    // digits of ".0" after seconds
};

struct CompiledFormat {
  std::string code;
  std::vector<Section> sections;
  bool anyCondition = false;
};

// Parses a whole code; throws NumberFormatError.
CompiledFormat ParseFormatCode(std::string_view code);

// Runs under construction: merges adjacent text, keeps the plain-text form.
class RunBuilder {
 public:
  explicit RunBuilder(const Separators& separators) : separators(separators) {}
  const Separators& separators;
  void Text(std::string_view text);
  void Space(std::string_view character);
  void Fill(std::string_view character);
  FormattedValue Finish(std::optional<std::uint8_t> color);

 private:
  std::vector<FormatRun> runs_;
  bool filled_ = false;
};

// Section rendering; `value` is already the magnitude to show when the section carries the sign.
void RenderNumber(const Section& section, double value, bool minus, RunBuilder& out);
void RenderDate(const Section& section, double serial, RunBuilder& out);
void RenderText(const Section& section, std::string_view text, RunBuilder& out);

// Decimal digits of a number rounded half away from zero to `decimals` places, from its
// 15-significant-digit form: digits without leading zeros ("" for zero) and the count of them
// before the point (may be <= 0 or beyond the digits).
struct Decimal {
  std::string digits;
  int point = 0;
};
Decimal RoundedDecimal(double magnitude, int decimals);
// The unrounded 15-significant-digit form, and rounding of such a form.
Decimal ExactDecimal(double magnitude);
Decimal RoundDecimal(Decimal d, int decimals);
// Integer and fraction digit strings of a rounded magnitude ("" integer part for < 1).
void SplitDecimal(const Decimal& d, int decimals, std::string& integer, std::string& fraction);

}  // namespace quillora::engine::detail
