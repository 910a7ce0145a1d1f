#include "spreadsheet/biff/SharedStrings.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/Unicode.h"
#include "spreadsheet/biff/BiffError.h"
#include "spreadsheet/biff/RecordStream.h"

namespace quillora::engine {

std::vector<std::string> ReadSharedStrings(std::vector<std::span<const std::uint8_t>> segments) {
  std::size_t available = 0;
  for (const auto& s : segments) available += s.size();
  ContinuedReader in(std::move(segments), "SST");
  in.U32();  // total references
  const std::uint32_t unique = in.U32();
  // Each string takes at least three bytes, which bounds a damaged count.
  if (unique > available / 3)
    throw BiffError("The workbook is damaged: the shared string table claims " + std::to_string(unique) +
                    " strings but holds far fewer");
  std::vector<std::string> strings;
  strings.reserve(unique);
  // Some writers overstate the count; the table ends where its data ends.
  for (std::uint32_t i = 0; i < unique && !in.AtEnd(); ++i) strings.push_back(in.UnicodeString(2));
  return strings;
}

void ContinuedWriter::StartContinue() {
  writer_.Write(first_ ? type_ : 0x003C, data_);
  first_ = false;
  data_.clear();
}

void ContinuedWriter::Put(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > Room()) StartContinue();
  data_.insert(data_.end(), bytes.begin(), bytes.end());
}

std::pair<std::size_t, std::size_t> ContinuedWriter::PutString(std::string_view utf8, int length_bytes) {
  const std::u16string text = Utf8ToUtf16(utf8);
  if (text.size() > (length_bytes == 1 ? 0xFFu : 0xFFFFu))
    throw RequestError("text of " + std::to_string(text.size()) + " characters is too long for a workbook string");
  const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
  const std::size_t unit = wide ? 2 : 1;
  const std::size_t header = static_cast<std::size_t>(length_bytes) + 1;
  // The header and the first character stay together.
  if (Room() < header + (text.empty() ? 0 : unit)) StartContinue();
  const std::pair<std::size_t, std::size_t> start{writer_.Position() + 4 + data_.size(), 4 + data_.size()};
  if (length_bytes == 1) Put8(data_, static_cast<std::uint8_t>(text.size()));
  else Put16(data_, static_cast<std::uint16_t>(text.size()));
  Put8(data_, wide ? 1 : 0);
  std::size_t done = 0;
  while (done < text.size()) {
    std::size_t fit = Room() / unit;
    if (fit == 0) {
      StartContinue();
      Put8(data_, wide ? 1 : 0);
      fit = Room() / unit;
    }
    const std::size_t take = std::min(fit, text.size() - done);
    for (std::size_t i = 0; i < take; ++i) {
      if (wide) Put16(data_, text[done + i]);
      else Put8(data_, static_cast<std::uint8_t>(text[done + i]));
    }
    done += take;
  }
  return start;
}

void ContinuedWriter::Finish() {
  if (first_ || !data_.empty()) StartContinue();
}

void WriteSharedStrings(RecordWriter& writer, const std::vector<std::string_view>& strings, std::uint32_t total) {
  // EXTSST points at every bucket's first string so readers can seek into the table.
  const std::size_t per_bucket = std::max<std::size_t>(8, strings.size() / 128 + 1);
  std::vector<std::uint8_t> index;
  Put16(index, static_cast<std::uint16_t>(per_bucket));
  {
    ContinuedWriter sst(writer, 0x00FC);
    std::vector<std::uint8_t> counts;
    Put32(counts, total);
    Put32(counts, static_cast<std::uint32_t>(strings.size()));
    sst.Put(counts);
    for (std::size_t i = 0; i < strings.size(); ++i) {
      const auto [position, offset] = sst.PutString(strings[i], 2);
      if (i % per_bucket != 0) continue;
      Put32(index, static_cast<std::uint32_t>(position));
      Put16(index, static_cast<std::uint16_t>(offset));
      Put16(index, 0);
    }
    sst.Finish();
  }
  writer.Write(0x00FF, index);
}

}  // namespace quillora::engine
