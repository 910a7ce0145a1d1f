// The base layer every engine folder builds on: grid limits, cell ranges, bounds-checked
// byte reads, RK numbers, the one error root and where kept records are written.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "spreadsheet/base/ByteReader.h"
#include "spreadsheet/base/CellAddress.h"
#include "spreadsheet/base/Error.h"
#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/RkNumber.h"
#include "spreadsheet/biff/BiffError.h"
#include "spreadsheet/biff/KeptPlacement.h"
#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/drawing/DrawingBytes.h"
#include "spreadsheet/drawing/DrawingError.h"
#include "spreadsheet/formula/FormulaTokens.h"

namespace quillora::engine {
namespace {

TEST(GridTest, LastIndexesAndCountsMeetAtTheEdgeOfTheSheet) {
  EXPECT_EQ(kLastRow + 1, kRowCount);
  EXPECT_EQ(kLastColumn + 1, kColumnCount);
  EXPECT_TRUE(InGrid(0, 0));
  EXPECT_TRUE(InGrid(kLastRow, kLastColumn));
  EXPECT_FALSE(InGrid(kRowCount, 0));
  EXPECT_FALSE(InGrid(0, kColumnCount));
  EXPECT_FALSE(InGrid(-1, 0));
  EXPECT_FALSE(InGrid(CellAddress{0, -1}));
}

TEST(CellRangeTest, CornersInAnyOrderGiveOneRectangle) {
  const CellRange range = CellRange::FromCorners({9, 2}, {3, 5});
  EXPECT_EQ(range, (CellRange{3, 2, 9, 5}));
  EXPECT_EQ(range.First(), (CellAddress{3, 2}));
  EXPECT_EQ(range.Last(), (CellAddress{9, 5}));
  EXPECT_EQ(range.RowCount(), 7);
  EXPECT_EQ(range.ColumnCount(), 4);
  EXPECT_TRUE(range.Contains(3, 2));
  EXPECT_TRUE(range.Contains(CellAddress{9, 5}));
  EXPECT_FALSE(range.Contains(10, 5));
  EXPECT_FALSE(range.Contains(9, 1));
  EXPECT_EQ(CellRange::Single({4, 7}), (CellRange{4, 7, 4, 7}));
  EXPECT_EQ(CellRange::Single({4, 7}).RowCount(), 1);
}

TEST(ByteReaderTest, ReadsLittleEndianAndRefusesToReadPastTheEnd) {
  const std::uint8_t bytes[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF};
  ByteReader in(bytes);
  EXPECT_EQ(in.U8(), 0x01);
  EXPECT_EQ(in.U16(), 0x1234);
  EXPECT_EQ(in.U32(), 0x12345678u);
  EXPECT_EQ(in.Remaining(), 1u);
  EXPECT_THROW(in.U16(), Error);
  EXPECT_EQ(in.Position(), 7u) << "a refused read consumes nothing";
  EXPECT_THROW(in.Bytes(2), Error);
  EXPECT_EQ(in.U8(), 0xFF);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_THROW(in.Skip(1), Error);
}

TEST(ByteReaderTest, EachKindOfDataReportsAShortReadInItsOwnWords) {
  const std::uint8_t bytes[] = {0x01};
  DataReader record(bytes, "XF");
  try {
    record.U32();
    FAIL() << "a short record was read";
  } catch (const BiffError& error) {
    EXPECT_STREQ(error.what(), "The workbook is damaged: the XF record ends too early");
  }
  drawing::ByteCursor drawing(bytes, "shape record");
  try {
    drawing.U16();
    FAIL() << "a short drawing record was read";
  } catch (const DrawingError& error) {
    EXPECT_STREQ(error.what(), "shape record is truncated: 2 bytes needed at offset 0, 1 left");
  }
  const std::uint8_t ref[] = {0x24, 0x00};  // tRef with one of its four bytes
  EXPECT_THROW(DecodeFormula(ref), FormulaError);
}

TEST(ErrorTest, EveryEngineFailureIsAnError) {
  const auto is_error = [](auto&& thrower) {
    try {
      thrower();
    } catch (const Error&) {
      return true;
    } catch (...) {
    }
    return false;
  };
  EXPECT_TRUE(is_error([] { throw BiffError("b"); }));
  EXPECT_TRUE(is_error([] { throw CompoundFileError("c"); }));
  EXPECT_TRUE(is_error([] { throw DrawingError("d"); }));
  EXPECT_TRUE(is_error([] { throw FormulaError("f"); }));
  EXPECT_TRUE(is_error([] { throw base::FileError("x.xls", "gone"); }));
  EXPECT_FALSE(is_error([] { throw std::runtime_error("other"); }));
}

TEST(RkNumberTest, NumbersRoundTripExactlyOrHaveNoRkForm) {
  EXPECT_EQ(EncodeRk(1.0), 0x06u);         // integer form
  EXPECT_EQ(EncodeRk(0.01), 0x07u);        // integer 1, divided by 100
  EXPECT_EQ(DecodeRk(0x3FF00000u), 1.0);   // top bits of the double 1.0
  EXPECT_EQ(DecodeRk(0xFFFFFFFEu), -1.0);  // negative integer
  for (double value : {0.0, -7.0, 0.1, 12.34, -536870912.0, 536870911.0, 0.25, 1099511627776.0}) {
    const auto rk = EncodeRk(value);
    ASSERT_TRUE(rk.has_value()) << value;
    EXPECT_EQ(DecodeRk(*rk), value);
  }
  for (double value :
       {1.0 / 3.0, 536870912.5, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
    EXPECT_FALSE(EncodeRk(value).has_value()) << value;
}

TEST(KeptPlacementTest, KeptRecordsFollowTheirAnchorAndTheRestComeOnce) {
  const std::vector<KeptRecord> kept = {
      {0x0100, {1}, {}, 0x0022}, {0x0101, {2}, {}, 0x0999}, {0x0102, {3}, {}, 0x0022}, {0x0103, {4}, {}, 0}};
  std::vector<std::uint8_t> stream;
  RecordWriter writer(stream);
  KeptPlacement placement(writer, kept);
  placement.After({0, 0x0009});
  placement.After({0x0022});
  placement.Rest();
  std::vector<std::uint16_t> order;
  for (const RecordView& record : SplitRecords(stream)) order.push_back(record.type);
  EXPECT_EQ(order, (std::vector<std::uint16_t>{0x0103, 0x0100, 0x0102, 0x0101}));
}

}  // namespace
}  // namespace quillora::engine
