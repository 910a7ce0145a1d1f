// Recalculation of long chains, many range readers and circular references among them, and
// compound files with many streams: results, not speed (the benchmarks time these).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <set>

#include "bench/inputs/BenchWorkbooks.h"
#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"
#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "tests/spreadsheet/formula/FormulaTestSheet.h"

namespace quillora::engine {
namespace {

const Value kCircular{kCircularReferenceError};
constexpr int kSumFormulas = 20000, kEmptyStreams = 20000;
using bench::ChainCell;
using bench::kChainRowsPerColumn;

Sheet NamedSheet(const char* name) {
  Sheet sheet;
  sheet.name = name;
  return sheet;
}

Value At(const Workbook& book, CellAddress cell, int sheet = 0) {
  return book.sheets[static_cast<std::size_t>(sheet)].cells.at(cell).value;
}

TEST(RecalcScaleTest, AChainOf240000FormulasReachesItsLastValue) {
  constexpr int kLength = 240000;
  Workbook book = bench::FormulaChain(kLength + 1);  // cell k holds k + 1
  for (auto& [at, cell] : book.sheets[0].cells)
    if (cell.formula) cell.value = 0.0;  // no cached result to fall back on
  const RecalcSummary summary = RecalculateWorkbook(book);
  EXPECT_EQ(summary.evaluated, static_cast<std::size_t>(kLength));
  EXPECT_EQ(summary.circular, 0u);
  EXPECT_EQ(At(book, ChainCell(kChainRowsPerColumn)), Value(kChainRowsPerColumn + 1.0));
  EXPECT_EQ(At(book, ChainCell(kLength)), Value(kLength + 1.0));
}

TEST(RecalcScaleTest, ACycleInsideALongChainMarksOnlyItsCellsAndThoseReadingThem) {
  constexpr int kLength = 100000, kFrom = 70000, kTo = 70010;
  Workbook book = bench::FormulaChain(kLength + 1);  // cell k holds k + 1
  Sheet& sheet = book.sheets[0];
  // Cell kFrom reads kTo, which reads back down to kFrom: eleven cells in a cycle.
  const CellAddress to = ChainCell(kTo);
  sheet.cells[ChainCell(kFrom)].formula->tokens = CompileFormula(CellText(to.row, to.column) + "+1");
  // A side branch off the chain before the cycle, and one off the chain after it.
  sheet.cells[{0, 10}].formula = Formula{CompileFormula("B1*2"), {}, 0, 0, {}};
  sheet.cells[{1, 10}].formula = Formula{CompileFormula("SUM(B10000:B10002)"), {}, 0, 0, {}};
  const RecalcSummary summary = RecalculateWorkbook(book);
  EXPECT_EQ(summary.circular, static_cast<std::size_t>(kTo - kFrom + 1));
  EXPECT_EQ(At(book, ChainCell(kFrom - 1)), Value(static_cast<double>(kFrom)));
  for (int k : {kFrom, kFrom + 5, kTo, kTo + 1, kLength}) EXPECT_EQ(At(book, ChainCell(k)), kCircular) << k;
  EXPECT_EQ(At(book, {0, 10}), Value(2.0 * (kChainRowsPerColumn + 1)));  // B1 is cell 60000
  EXPECT_EQ(At(book, {1, 10}), kCircular);                          // B10001 and B10002 are in it
}

TEST(RecalcScaleTest, WholeSheetSumsOnTheirOwnSheetAreOneCircularReference) {
  Workbook book = bench::WholeSheetSums(kSumFormulas);  // ten columns
  const RecalcSummary summary = RecalculateWorkbook(book);
  EXPECT_EQ(summary.circular, static_cast<std::size_t>(kSumFormulas));
  EXPECT_EQ(At(book, {0, 0}), kCircular);
  EXPECT_EQ(At(book, {kSumFormulas / 10 - 1, 9}), kCircular);
}

TEST(RecalcScaleTest, WholeSheetSumsOfAnotherSheetSeeItsValuesAndFormulas) {
  Workbook book = NewWorkbook();
  book.sheets.push_back(NamedSheet("Sheet1"));
  book.sheets.push_back(NamedSheet("Sheet2"));
  Sheet& values = book.sheets[0];
  values.cells[{0, 0}].value = 1.0;
  values.cells[{65535, 255}].value = 2.0;
  values.cells[{299, 2}].value = 3.5;
  values.cells[{1, 1}].formula = Formula{CompileFormula("A1*10"), {}, 0, 0, {}};  // 10
  const std::vector<std::uint8_t> sum = CompileFormula("SUM(Sheet1!A1:IV65536)", WorkbookReferences(book));
  for (int row = 0; row < kSumFormulas; ++row) book.sheets[1].cells[{row, 0}].formula = Formula{sum, {}, 0, 0, {}};
  const RecalcSummary summary = RecalculateWorkbook(book);
  EXPECT_EQ(summary.evaluated, static_cast<std::size_t>(kSumFormulas + 1));
  EXPECT_EQ(At(book, {0, 0}, 1), Value(16.5));
  EXPECT_EQ(At(book, {kSumFormulas - 1, 0}, 1), Value(16.5));
}

TEST(RecalcScaleTest, FormulasInsideARangeAreEvaluatedBeforeItsReaders) {
  testing::TestWorkbook book;
  // Readers first in the list, of partly overlapping ranges over three columns of formulas.
  book.SetFormula("E1", "SUM(A2:C40)");
  book.SetFormula("E2", "SUM(B5:B6)+SUM(A2:C40)");
  book.SetFormula("E3", "SUM(C39:C40)");
  for (int row = 1; row <= 40; ++row) {
    const std::string r = std::to_string(row);
    book.SetFormula("A" + r, "D" + r + "+1");
    book.SetFormula("B" + r, "A" + r + "*2");
    book.SetFormula("C" + r, "B" + r + "+A" + r);
    book.Set("D" + r, static_cast<double>(row));
  }
  const Recalculator recalculator(book);
  recalculator.Run(book);
  // Row r holds r+1, 2r+2 and 3r+3: 6(r+1) a row.
  double expected = 0;
  for (int row = 2; row <= 40; ++row) expected += 6.0 * (row + 1);
  EXPECT_EQ(book.Get("E1"), Value(expected));
  EXPECT_EQ(book.Get("E2"), Value(expected + 2.0 * 6 + 2.0 * 7));
  EXPECT_EQ(book.Get("E3"), Value(3.0 * 40 + 3.0 * 41));
  // A value inside the range changes: the readers follow on the next run.
  book.Set("D40", 100.0);
  recalculator.Run(book);
  EXPECT_EQ(book.Get("E3"), Value(3.0 * 40 + 3.0 * 101));
}

// Random sheets of single-cell and range reads, checked against the formula-by-formula
// reading: which cells are circular or read a circular one, and every other sum.
TEST(RecalcScaleTest, RandomRangeReadsAgreeWithCellByCellReading) {
  constexpr int kSize = 9;
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    testing::TestWorkbook book;
    std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> reads;  // formula -> cells read
    std::map<std::pair<int, int>, double> numbers;
    for (int row = 0; row < kSize; ++row) {
      for (int column = 0; column < kSize; ++column) {
        const std::string a1 = CellText(row, column);
        const int kind = static_cast<int>(random() % 10);
        if (kind < 4) {
          numbers[{row, column}] = row * 10.0 + column;
          book.Set(a1, numbers[{row, column}]);
          continue;
        }
        if (kind < 6) continue;
        // A range that usually lies away from the cell (cycles stay occasional).
        const int r1 = static_cast<int>(random() % kSize), r2 = r1 + static_cast<int>(random() % 3);
        const int c1 = static_cast<int>(random() % kSize), c2 = c1 + static_cast<int>(random() % 4);
        const int r3 = static_cast<int>(random() % kSize), c3 = static_cast<int>(random() % kSize);
        auto& cells = reads[{row, column}];
        for (int r = r1; r <= r2; ++r)
          for (int c = c1; c <= c2; ++c) cells.emplace_back(r, c);
        cells.emplace_back(r3, c3);
        book.SetFormula(a1, "SUM(" + CellText(r1, c1) + ":" + CellText(r2, c2) + ")+" + CellText(r3, c3) + "+1");
      }
    }
    Recalculate(book);
    // Cell by cell: memoised reading, a formula met again while being read is circular.
    std::map<std::pair<int, int>, std::optional<double>> done;  // empty: reads a cycle
    std::set<std::pair<int, int>> open;
    using Place = std::pair<int, int>;
    std::function<std::optional<double>(Place)> value = [&](Place at) -> std::optional<double> {
      if (!reads.contains(at)) return numbers.contains(at) ? numbers[at] : 0.0;
      if (const auto it = done.find(at); it != done.end()) return it->second;
      if (open.contains(at)) return std::nullopt;
      open.insert(at);
      std::optional<double> sum = 1.0;
      for (const auto& read : reads[at]) {
        const auto v = value(read);
        if (!v) sum.reset();
        if (sum) *sum += *v;
      }
      open.erase(at);
      return done[at] = sum;
    };
    for (const auto& [at, cells] : reads) {
      const auto expected = value(at);
      const Value got = book.Get(CellText(at.first, at.second));
      if (expected) {
        EXPECT_EQ(got, Value(*expected)) << "round " << round << " " << CellText(at.first, at.second);
      } else {
        EXPECT_EQ(got, kCircular) << "round " << round << " " << CellText(at.first, at.second);
      }
    }
  }
}

TEST(RecalcScaleTest, TwentyThousandEmptyStreamsReadAndWriteBack) {
  const std::vector<std::uint8_t> file = WriteWorkbook(bench::ManyEmptyStreams(kEmptyStreams));
  const Workbook book = ReadWorkbook(file);
  ASSERT_EQ(book.otherStreams.size(), static_cast<std::size_t>(kEmptyStreams));
  std::set<std::string> names;
  for (const CompoundStream& stream : book.otherStreams) {
    EXPECT_TRUE(stream.data.empty());
    names.insert(stream.name);
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kEmptyStreams));
  EXPECT_TRUE(names.contains("Empty 1") && names.contains("Empty 20000"));
  EXPECT_EQ(At(book, {0, 0}), Value(std::string("Item 1")));
  EXPECT_EQ(WriteWorkbook(book), file);
}

TEST(RecalcScaleTest, StreamsAreFoundByNameWhateverTheirCaseAndNumber) {
  std::vector<CompoundStream> streams;
  for (int i = 0; i < 300; ++i)
    streams.push_back({"Small" + std::to_string(i), std::vector<std::uint8_t>(100, static_cast<std::uint8_t>(i))});
  const std::vector<std::uint8_t> bytes = WriteCompoundFile(streams);
  const CompoundFileReader reader(bytes);
  EXPECT_EQ(reader.ReadStream("SMALL7"), streams[7].data);
  EXPECT_EQ(reader.ReadStream("small299"), streams[299].data);
  EXPECT_FALSE(reader.ReadStream("Small300"));
  // Stream 5's second mini sector points back at its first: refused, though the chain is
  // short beside the mini FAT.
  auto damaged = bytes;
  const std::size_t miniFat = (static_cast<std::size_t>(Load32(bytes.data() + 60)) + 1) * 512;
  const std::uint32_t first = 5 * 2;  // two 64-byte mini sectors a stream
  Store32(damaged.data() + miniFat + 4 * (first + 1), first);
  const CompoundFileReader broken(damaged);
  EXPECT_EQ(broken.ReadStream("Small4"), streams[4].data);
  try {
    (void)broken.ReadStream("Small5");
    ADD_FAILURE() << "a looping mini chain was read";
  } catch (const CompoundFileError& e) {
    EXPECT_NE(std::string(e.what()).find("loops"), std::string::npos) << e.what();
  }
  // Names that differ only in case are one name to the writer too.
  streams.push_back({"SMALL0", {}});
  EXPECT_THROW(WriteCompoundFile(streams), CompoundFileError);
}

}  // namespace
}  // namespace quillora::engine
