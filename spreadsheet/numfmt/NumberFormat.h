#pragma once

// Number-format codes: parsed once into a NumberFormat, then applied to cell values.
//
// A code has up to four sections separated by ";": positive;negative;zero;text. With one
// section every number uses it (negatives get a "-"); with two the second is for negatives;
// with three the third is for zero; the fourth is for text. A negative shown by the negative
// section (or a section whose condition selects negatives, e.g. [<0]) shows its absolute value:
// the section's own literals carry the sign, as in "0;(0)". Conditions ([>100], [<=-5], ...)
// replace the sign rules for the sections that carry them.
//
// Inside a section: digit placeholders 0 # ?, the decimal point, "," for grouping (between
// placeholders) or scaling by 1000 (after the last one), % (times 100), E+ / E- scientific,
// fractions "# ?/?" or "# ?/8", @ (the text), General, literals ("..." , \x and the plain
// characters $ - + ( ) : / space etc.), _x (a space as wide as character x), *x (repeat x to
// fill the cell), colours [Black] [Blue] [Cyan] [Green] [Magenta] [Red] [White] [Yellow] and
// [ColorN] (N 1..56), [$sym-locale] currency tags, and date/time parts d dd ddd dddd m mm mmm
// mmmm mmmmm yy yyyy h hh m mm (minutes after h or before s) s ss .0 AM/PM A/P [h] [m] [s]
// (serial numbers of the 1900 date system).
//
// Numbers are rounded half away from zero on the decimal digits shown, after reducing the
// binary value to 15 significant digits (so 2.675 with "0.00" shows 2.68).

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/model/Value.h"

namespace quillora::engine {

// A format code that cannot be parsed (unterminated quote or bracket, more than four sections,
// a malformed condition or colour). what() names the problem.
class NumberFormatError : public Error {
 public:
  using Error::Error;
};

// One piece of displayed text. A renderer draws Text as is, leaves a gap as wide as the
// character for Space, and repeats the character of Fill to fill the cell's free width
// (at most one Fill per result).
struct FormatRun {
  enum class Kind : std::uint8_t { Text, Space, Fill };
  Kind kind = Kind::Text;
  std::string text;  // the text, or the one (UTF-8) character of Space and Fill
  friend bool operator==(const FormatRun&, const FormatRun&) = default;
};

struct FormattedValue {
  std::vector<FormatRun> runs;
  // Plain-text form: Text runs as they are, each Space run as one blank, Fill runs left out.
  std::string text;
  // Palette index of the section's colour (8 = black ... 15 = cyan, [ColorN] is N + 7); none
  // when the section names no colour (the cell's font colour applies).
  std::optional<std::uint8_t> color;
};

// The characters a number shows for the code's decimal point "." and grouping ",": a
// reader shows them in the user's regional form (German "1.234,50").
struct Separators {
  std::string decimal = ".";
  std::string group = ",";
};

namespace detail {
struct CompiledFormat;
}

class NumberFormat {
 public:
  // Parses a code; throws NumberFormatError. "General" (any case) and "" are General.
  explicit NumberFormat(std::string_view code);
  NumberFormat(const NumberFormat&) = default;
  NumberFormat& operator=(const NumberFormat&) = default;
  ~NumberFormat();

  // Formats a cell value: numbers by the sections; text by the text section (or as is);
  // booleans as TRUE/FALSE; errors as their literal (#DIV/0!); empty as "" with no runs.
  FormattedValue Format(const Value& value, const Separators& separators = Separators{}) const;

  const std::string& Code() const;
  // True when numbers show as dates or times.
  bool IsDateTime() const;

 private:
  std::shared_ptr<const detail::CompiledFormat> compiled_;
};

// The code of BIFF8 built-in format `index` (0..49, United States conventions); nullopt for
// indexes that have no built-in code (23..36 are reserved and show as General).
std::optional<std::string_view> BuiltinFormatCode(int index);

// The built-in format `index`, parsed once; General for reserved or unknown indexes.
const NumberFormat& BuiltinFormat(int index);

// Spreadsheet "General" display of a number in at most 11 characters: "1234.5", "0.333333333",
// "1.23457E+11", "-1E-10".
std::string GeneralNumberText(double value);

}  // namespace quillora::engine
