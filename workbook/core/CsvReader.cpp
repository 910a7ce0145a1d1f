#include "workbook/core/CsvReader.h"

#include <cstdint>

namespace quillora {
namespace {

// Offset of the first byte that breaks UTF-8 (overlong forms, surrogates and values past
// U+10FFFF included), or npos for well-formed text.
std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    int extra = 0;
    std::uint32_t code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1, code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2, code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3, code = c & 0x07;
    } else {
      return i;
    }
    if (text.size() - i <= static_cast<std::size_t>(extra)) return i;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return i;
      code = (code << 6) | (next & 0x3F);
    }
    if ((extra == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (extra == 3 && (code < 0x10000 || code > 0x10FFFF)))
      return i;
    i += extra + 1;
  }
  return std::string_view::npos;
}

int LineOfOffset(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i)
    if (text[i] == '\n') ++line;
  return line;
}

}  // namespace

std::vector<CsvRecord> ReadCsv(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos)
    throw CsvError(LineOfOffset(text, bad), "the text is not valid UTF-8");

  std::vector<CsvRecord> records;
  CsvRecord record;
  std::string field;
  int line = 1;
  record.line = 1;
  bool fieldStarted = false;  // the record has at least one field (possibly empty)
  std::size_t i = 0;

  auto endField = [&] {
    record.fields.push_back(std::move(field));
    field.clear();
  };
  auto endRecord = [&] {
    const bool blank = record.fields.size() == 1 && record.fields[0].empty();
    if (!blank) records.push_back(std::move(record));
    record = CsvRecord{};
    record.line = line;
    fieldStarted = false;
  };

  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' && field.empty() && !fieldStarted) {
      // A quoted field runs to the next quote that is not doubled.
      const int opened = line;
      ++i;
      for (;;) {
        if (i >= text.size()) throw CsvError(opened, "a quoted field is not closed");
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (text[i] == '\n') ++line;
        field.push_back(text[i++]);
      }
      fieldStarted = true;
      if (i < text.size() && text[i] != ',' && text[i] != '\n' &&
          !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
        throw CsvError(line, "text follows a closing quote");
      continue;
    }
    if (c == '"') throw CsvError(line, "a quote stands inside an unquoted field");
    if (c == ',') {
      endField();
      fieldStarted = false;
      ++i;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\n') {
      endField();
      ++line;
      endRecord();
      ++i;
      continue;
    }
    field.push_back(text[i++]);
    fieldStarted = true;
  }
  if (fieldStarted || !field.empty() || !record.fields.empty()) {
    endField();
    endRecord();
  }
  return records;
}

}  // namespace quillora
