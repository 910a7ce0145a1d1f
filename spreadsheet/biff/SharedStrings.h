#pragma once
// The shared string table (SST with its CONTINUE records) and its index (EXTSST), and
// string-carrying records that may run on into CONTINUE records.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spreadsheet/biff/RecordWriter.h"

namespace quillora::engine {

// The strings of an SST record given as its data followed by its CONTINUE records' data.
std::vector<std::string> ReadSharedStrings(std::vector<std::span<const std::uint8_t>> segments);

// Writes SST (with CONTINUE records, strings split as BIFF8 requires) and EXTSST.
// `total` is the number of cells that refer to the table.
void WriteSharedStrings(RecordWriter& writer, const std::vector<std::string_view>& strings, std::uint32_t total);

// Writes a record whose data may exceed one record: fixed parts never split, string
// characters split with a fresh option byte at the start of each CONTINUE record.
class ContinuedWriter {
 public:
  ContinuedWriter(RecordWriter& writer, std::uint16_t type) : writer_(writer), type_(type) {}
  ~ContinuedWriter() = default;
  ContinuedWriter(const ContinuedWriter&) = delete;
  ContinuedWriter& operator=(const ContinuedWriter&) = delete;

  void Put(std::span<const std::uint8_t> bytes);
  // Returns where the string starts: its stream position and its offset within its record
  // (counting the record header).
  std::pair<std::size_t, std::size_t> PutString(std::string_view utf8, int length_bytes);
  std::size_t Room() const { return kMaxRecordData - data_.size(); }
  void Finish();

 private:
  void StartContinue();
  RecordWriter& writer_;
  std::uint16_t type_;
  bool first_ = true;
  std::vector<std::uint8_t> data_;
};

}  // namespace quillora::engine
