#include "spreadsheet/biff/RecordWriter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/Unicode.h"

namespace quillora::engine {

namespace {
void PutHeader(std::vector<std::uint8_t>& out, std::uint16_t type, std::size_t length) {
  Put16(out, type);
  Put16(out, static_cast<std::uint16_t>(length));
}
}  // namespace

void RecordWriter::Write(std::uint16_t type, std::span<const std::uint8_t> data) {
  std::size_t pos = 0;
  do {
    const std::size_t take = std::min(kMaxRecordData, data.size() - pos);
    PutHeader(out_, pos == 0 ? type : 0x003C, take);
    out_.insert(out_.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
                data.begin() + static_cast<std::ptrdiff_t>(pos + take));
    pos += take;
  } while (pos < data.size());
}

void RecordWriter::WriteSegments(std::uint16_t type, std::span<const std::uint8_t> data,
                                 const std::vector<std::vector<std::uint8_t>>& continues) {
  PutHeader(out_, type, data.size());
  out_.insert(out_.end(), data.begin(), data.end());
  for (const auto& segment : continues) {
    PutHeader(out_, 0x003C, segment.size());
    out_.insert(out_.end(), segment.begin(), segment.end());
  }
}

void PutUnicodeString(std::vector<std::uint8_t>& out, std::string_view utf8, int length_bytes) {
  const std::u16string text = Utf8ToUtf16(utf8);
  const std::size_t limit = length_bytes == 1 ? 0xFF : 0xFFFF;
  if (text.size() > limit)
    throw RequestError("text of " + std::to_string(text.size()) + " characters is longer than " +
                       std::to_string(limit) + ", the most a workbook string holds");
  const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
  if (length_bytes == 1) Put8(out, static_cast<std::uint8_t>(text.size()));
  else Put16(out, static_cast<std::uint16_t>(text.size()));
  Put8(out, wide ? 1 : 0);
  for (char16_t c : text) {
    if (wide) Put16(out, c);
    else Put8(out, static_cast<std::uint8_t>(c));
  }
}

}  // namespace quillora::engine
