#pragma once
// Splitting a workbook stream into records, and reading data that runs on into CONTINUE
// records (shared strings, long formula results).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "spreadsheet/base/ByteReader.h"

namespace quillora::engine {

// One record as stored: its type, where its header starts in the stream, and its data.
struct RecordView {
  std::uint16_t type = 0;
  std::size_t offset = 0;
  std::span<const std::uint8_t> data;
};

// Every record of `stream`, in order. A record whose length runs past the end of the
// stream is refused as truncated; trailing bytes shorter than a header are ignored (some
// writers pad the stream).
std::vector<RecordView> SplitRecords(std::span<const std::uint8_t> stream);

// Reads across a record and its CONTINUE records. Plain reads cross segment boundaries
// byte for byte; string characters follow the BIFF8 rule that a string continued in a new
// segment starts that segment with a fresh option byte (compressed or UTF-16).
class ContinuedReader {
 public:
  explicit ContinuedReader(std::vector<std::span<const std::uint8_t>> segments, const char* what);

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  void Skip(std::size_t count);
  bool AtEnd() const;
  // A BIFF8 unicode string whose character count has `length_bytes` (1 or 2) bytes;
  // formatting runs and phonetic data are skipped. Returns UTF-8.
  std::string UnicodeString(int length_bytes);
  // Bytes consumed so far, counted over all segments.
  std::size_t Consumed() const;

 private:
  void NextSegmentIfEmpty();
  [[noreturn]] void Truncated() const;

  std::vector<std::span<const std::uint8_t>> segments_;
  std::size_t segment_ = 0;
  std::size_t pos_ = 0;
  const char* what_;
};

// Bounds-checked little-endian reads from one record's data; a short record is refused as
// damaged, naming the record (`what`).
class DataReader : public ByteReader {
 public:
  DataReader(std::span<const std::uint8_t> data, const char* what) : ByteReader(data), what_(what) {}
  // BIFF8 unicode string with a 1- or 2-byte character count, with runs and phonetic
  // data skipped. Returns UTF-8.
  std::string UnicodeString(int length_bytes);

 private:
  [[noreturn]] void ShortRead(std::size_t count) const override;
  const char* what_;
};

}  // namespace quillora::engine
