// Shared strings across CONTINUE records: written split with a fresh option byte, read
// back in both encodings, with formatting runs and phonetic data skipped.
#include <gtest/gtest.h>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/biff/SharedStrings.h"
#include "spreadsheet/base/LittleEndian.h"
#include "tests/spreadsheet/support/TestWorkbook.h"

namespace quillora::engine {
namespace {

std::vector<std::span<const std::uint8_t>> SstSegments(const std::vector<RecordView>& records) {
  std::vector<std::span<const std::uint8_t>> segments;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].type != 0x00FC) continue;
    segments.push_back(records[i].data);
    for (std::size_t k = i + 1; k < records.size() && records[k].type == 0x003C; ++k) segments.push_back(records[k].data);
  }
  return segments;
}

TEST(SharedStrings, LongStringsSplitWithAnOptionByteInBothEncodings) {
  for (bool wide : {false, true}) {
    const std::string long_text = testing::LongText(wide);
    const std::vector<std::string> texts = {"short", long_text, "after", long_text + "x"};
    std::vector<std::uint8_t> stream;
    RecordWriter writer(stream);
    WriteSharedStrings(writer, {texts.begin(), texts.end()}, 7);
    const auto records = SplitRecords(stream);
    ASSERT_GE(records.size(), 4u);
    EXPECT_EQ(records[0].type, 0x00FC);
    EXPECT_EQ(records[1].type, 0x003C);
    EXPECT_EQ(records.back().type, 0x00FF);
    for (const auto& r : records) EXPECT_LE(r.data.size(), kMaxRecordData);
    // A continued string's new record starts with its option byte: 1 for UTF-16, 0 for 8-bit.
    EXPECT_EQ(records[1].data[0], wide ? 1 : 0);
    EXPECT_EQ(Load32(records[0].data.data()), 7u);
    EXPECT_EQ(ReadSharedStrings(SstSegments(records)), texts);
  }
}

TEST(SharedStrings, RichTextAndPhoneticDataAreSkippedAcrossRecords) {
  // "Ab" with two formatting runs and 6 bytes of phonetic data, split inside its runs;
  // then "Cde" that starts in UTF-16 and goes on 8-bit in the next record; then "E".
  const std::vector<std::uint8_t> sst = {3, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0x0C, 2, 0, 6, 0, 0, 0, 'A', 'b', 0, 0, 1, 0};
  const std::vector<std::uint8_t> cont1 = {1, 0, 1, 0, 1, 2, 3, 4, 5, 6, 3, 0, 1, 'C', 0};
  const std::vector<std::uint8_t> cont2 = {0, 'd', 'e', 1, 0, 0, 'E'};
  const std::vector<std::span<const std::uint8_t>> segments = {sst, cont1, cont2};
  const auto strings = ReadSharedStrings(segments);
  ASSERT_EQ(strings.size(), 3u);
  EXPECT_EQ(strings[0], "Ab");
  EXPECT_EQ(strings[1], "Cde");
  EXPECT_EQ(strings[2], "E");
}

TEST(SharedStrings, ADamagedTableIsRefused) {
  std::vector<std::uint8_t> sst = {1, 0, 0, 0, 1, 0, 0, 0, 10, 0, 0, 'a', 'b'};
  EXPECT_THROW(ReadSharedStrings({sst}), std::runtime_error);
  std::vector<std::uint8_t> huge = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x0F, 1, 0, 0, 'a'};
  EXPECT_THROW(ReadSharedStrings({huge}), std::runtime_error);
}

}  // namespace
}  // namespace quillora::engine
