// Any format code either parses or is refused with NumberFormatError; a parsed one formats any
// value without crashing, with the code's own separators or regional ones, and its plain text
// matches its runs.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "spreadsheet/numfmt/NumberFormat.h"

using namespace quillora::engine;

namespace {

void Check(const NumberFormat& format, const Value& value, const Separators& separators) {
  const FormattedValue result = format.Format(value, separators);
  std::string plain;
  for (const FormatRun& run : result.runs) {
    if (run.kind == FormatRun::Kind::Text) plain += run.text;
    if (run.kind == FormatRun::Kind::Space) plain += ' ';
  }
  if (plain != result.text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first eight bytes are a number to format, the rest the code.
  double number = 0;
  if (size >= sizeof number) {
    std::memcpy(&number, data, sizeof number);
    data += sizeof number;
    size -= sizeof number;
  }
  const std::string code(reinterpret_cast<const char*>(data), size);
  try {
    const NumberFormat format(code);
    for (const Value& v : {Value(number), Value(0.0), Value(-1234.5), Value(0.5), Value(1e300), Value(-1e-300),
                           Value(45000.75), Value(std::numeric_limits<double>::quiet_NaN()),
                           Value(std::string("text")), Value(true), Value(ErrorCode::NA), Value()}) {
      Check(format, v, Separators{});
      Check(format, v, Separators{",", "\u202F"});  // several bytes, as French grouping is
    }
  } catch (const NumberFormatError&) {
  }
  GeneralNumberText(number);
  return 0;
}
