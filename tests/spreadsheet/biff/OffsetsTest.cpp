// Offsets a reader may seek by: BOUNDSHEET to each sheet's BOF, INDEX to DEFCOLWIDTH and to
// every DBCELL, DBCELL to its first ROW and to each row's first cell, EXTSST to strings.
#include <gtest/gtest.h>

#include <map>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/base/LittleEndian.h"
#include "tests/spreadsheet/support/TestWorkbook.h"

namespace quillora::engine {
namespace {

TEST(WorkbookOffsets, EveryStoredOffsetPointsWhereItShould) {
  Workbook book = testing::BuildTestWorkbook();
  for (int row = 200; row < 300; row += 3) book.sheets[0].cells[{row, row % 7}].value = static_cast<double>(row);
  const auto file = WriteWorkbook(book);
  const auto stream = *CompoundFileReader(file).ReadStream("Workbook");
  const auto records = SplitRecords(stream);
  std::map<std::size_t, std::uint16_t> type_at;
  for (const auto& r : records) type_at[r.offset] = r.type;
  auto type_of = [&](std::size_t offset) { return type_at.count(offset) ? type_at[offset] : 0xFFFF; };

  int sheets = 0, dbcells = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const RecordView& r = records[i];
    if (r.type == 0x0085) {
      EXPECT_EQ(type_of(Load32(r.data.data())), 0x0809);
      ++sheets;
    } else if (r.type == 0x020B) {
      EXPECT_EQ(type_of(Load32(r.data.data() + 12)), 0x0055);
      for (std::size_t k = 16; k + 4 <= r.data.size(); k += 4) EXPECT_EQ(type_of(Load32(r.data.data() + k)), 0x00D7);
    } else if (r.type == 0x00D7) {
      ++dbcells;
      const std::size_t first_row = r.offset - Load32(r.data.data());
      EXPECT_EQ(type_of(first_row), 0x0208);
      // Walk the rows of the block: each offset leads to the first cell record of its row.
      std::size_t position = first_row + 20;
      std::size_t row_record = first_row;
      for (std::size_t k = 4; k + 2 <= r.data.size(); k += 2) {
        position += Load16(r.data.data() + k);
        const std::uint16_t row = Load16(stream.data() + row_record + 4);
        const bool has_cells = Load16(stream.data() + row_record + 4 + 4) != 0;  // last column + 1
        if (has_cells) {
          EXPECT_NE(type_of(position), 0x0208);
          EXPECT_EQ(Load16(stream.data() + position + 4), row) << "row " << row;
        }
        row_record += 20;
      }
    } else if (r.type == 0x00FF) {
      for (std::size_t k = 2; k + 8 <= r.data.size(); k += 8) {
        const std::size_t position = Load32(r.data.data() + k);
        const std::size_t in_record = Load16(r.data.data() + k + 4);
        EXPECT_TRUE(type_of(position - in_record) == 0x00FC || type_of(position - in_record) == 0x003C);
      }
    }
  }
  EXPECT_EQ(sheets, 2);
  EXPECT_GE(dbcells, 5);
}

}  // namespace
}  // namespace quillora::engine
