#include "spreadsheet/biff/RecordStream.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/Unicode.h"
#include "spreadsheet/biff/BiffError.h"

namespace quillora::engine {

std::vector<RecordView> SplitRecords(std::span<const std::uint8_t> stream) {
  std::vector<RecordView> records;
  records.reserve(stream.size() / 16);
  std::size_t pos = 0;
  while (pos + 4 <= stream.size()) {
    const std::uint16_t type = Load16(stream.data() + pos);
    const std::uint16_t length = Load16(stream.data() + pos + 2);
    if (pos + 4 + length > stream.size())
      throw BiffError("The workbook is damaged: record 0x" + [&] {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%04X", type);
        return std::string(buffer);
      }() + " at offset " + std::to_string(pos) + " runs past the end of the stream (truncated)");
    records.push_back({type, pos, stream.subspan(pos + 4, length)});
    pos += 4 + length;
  }
  return records;
}

ContinuedReader::ContinuedReader(std::vector<std::span<const std::uint8_t>> segments, const char* what)
    : segments_(std::move(segments)), what_(what) {}

void ContinuedReader::Truncated() const {
  throw BiffError(std::string("The workbook is damaged: the ") + what_ + " record ends too early");
}

void ContinuedReader::NextSegmentIfEmpty() {
  while (segment_ < segments_.size() && pos_ >= segments_[segment_].size()) {
    ++segment_;
    pos_ = 0;
  }
}

bool ContinuedReader::AtEnd() const {
  for (std::size_t s = segment_; s < segments_.size(); ++s)
    if ((s == segment_ ? pos_ : 0) < segments_[s].size()) return false;
  return true;
}

std::size_t ContinuedReader::Consumed() const {
  std::size_t total = 0;
  for (std::size_t s = 0; s < segment_ && s < segments_.size(); ++s) total += segments_[s].size();
  return total + pos_;
}

std::uint8_t ContinuedReader::U8() {
  NextSegmentIfEmpty();
  if (segment_ >= segments_.size()) Truncated();
  return segments_[segment_][pos_++];
}

std::uint16_t ContinuedReader::U16() {
  const std::uint16_t low = U8();
  return static_cast<std::uint16_t>(low | (U8() << 8));
}

std::uint32_t ContinuedReader::U32() {
  const std::uint32_t low = U16();
  return low | (static_cast<std::uint32_t>(U16()) << 16);
}

void ContinuedReader::Skip(std::size_t count) {
  while (count > 0) {
    NextSegmentIfEmpty();
    if (segment_ >= segments_.size()) Truncated();
    const std::size_t take = std::min(count, segments_[segment_].size() - pos_);
    pos_ += take;
    count -= take;
  }
}

std::string ContinuedReader::UnicodeString(int length_bytes) {
  std::size_t count = length_bytes == 1 ? U8() : U16();
  std::uint8_t flags = U8();
  const bool rich = flags & 0x08;
  const bool phonetic = flags & 0x04;
  const std::uint16_t runs = rich ? U16() : 0;
  const std::uint32_t phonetic_size = phonetic ? U32() : 0;
  std::u16string text;
  text.reserve(count);
  while (count > 0) {
    if (segment_ < segments_.size() && pos_ >= segments_[segment_].size()) {
      // The characters go on in the next CONTINUE record, which starts with a new option byte.
      ++segment_;
      pos_ = 0;
      if (segment_ >= segments_.size() || segments_[segment_].empty()) Truncated();
      flags = segments_[segment_][pos_++];
    }
    if (segment_ >= segments_.size()) Truncated();
    const auto& data = segments_[segment_];
    const bool wide = flags & 0x01;
    const std::size_t available = (data.size() - pos_) / (wide ? 2 : 1);
    if (available == 0) {
      if (wide && data.size() - pos_ == 1) Truncated();  // half a character
      pos_ = data.size();
      continue;
    }
    const std::size_t take = std::min(count, available);
    for (std::size_t i = 0; i < take; ++i) {
      text.push_back(wide ? static_cast<char16_t>(Load16(data.data() + pos_)) : static_cast<char16_t>(data[pos_]));
      pos_ += wide ? 2 : 1;
    }
    count -= take;
  }
  Skip(static_cast<std::size_t>(runs) * 4);
  Skip(phonetic_size);
  return Utf16ToUtf8(text);
}

void DataReader::ShortRead(std::size_t) const {
  throw BiffError(std::string("The workbook is damaged: the ") + what_ + " record ends too early");
}

std::string DataReader::UnicodeString(int length_bytes) {
  ContinuedReader reader({Rest()}, what_);
  std::string text = reader.UnicodeString(length_bytes);
  Skip(reader.Consumed());
  return text;
}

}  // namespace quillora::engine
