#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillora {

// One record of a CSV text with the line it starts on (1-based).
struct CsvRecord {
  int line = 0;
  std::vector<std::string> fields;
};

// A CSV text that breaks the format, with the line where it does.
class CsvError : public std::runtime_error {
 public:
  CsvError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Reads UTF-8 CSV text as RFC 4180 describes it: comma-separated fields, fields in double
// quotes may hold commas, line breaks and doubled quotes; CRLF or LF end a record. A
// leading byte-order mark is skipped and blank lines are left out. Throws CsvError for
// invalid UTF-8, a quote inside an unquoted field, text after a closing quote or an
// unterminated quoted field.
std::vector<CsvRecord> ReadCsv(std::string_view text);

}  // namespace quillora
