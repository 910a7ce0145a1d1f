#pragma once
// Writing records into a workbook stream.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quillora::engine {

// Longest record data BIFF8 allows; longer data goes on in CONTINUE records.
inline constexpr std::size_t kMaxRecordData = 8224;

class RecordWriter {
 public:
  explicit RecordWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  // Writes one record; data longer than kMaxRecordData is split into CONTINUE records.
  void Write(std::uint16_t type, std::span<const std::uint8_t> data);
  // Writes a record followed by the given CONTINUE segments unchanged.
  void WriteSegments(std::uint16_t type, std::span<const std::uint8_t> data,
                     const std::vector<std::vector<std::uint8_t>>& continues);
  std::size_t Position() const { return out_.size(); }
  std::vector<std::uint8_t>& Bytes() { return out_; }

 private:
  std::vector<std::uint8_t>& out_;
};

// Appends a BIFF8 unicode string (character count of `length_bytes` = 1 or 2, option
// byte, characters): compressed when every character fits in 8 bits, UTF-16 otherwise.
void PutUnicodeString(std::vector<std::uint8_t>& out, std::string_view utf8, int length_bytes);

}  // namespace quillora::engine
