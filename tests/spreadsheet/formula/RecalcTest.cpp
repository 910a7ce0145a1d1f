// Recalculation order, cached values of unevaluable formulas, circular references.
#include <gtest/gtest.h>

#include "spreadsheet/formula/Recalculator.h"
#include "tests/spreadsheet/formula/FormulaTestSheet.h"

namespace quillora::engine {
namespace {

using testing::TestWorkbook;

const Value kCircular{kCircularReferenceError};

TEST(RecalcTest, TotalsFollowTheirInputsWhateverTheListOrder) {
  TestWorkbook book;
  // Grand total listed before the section totals it reads.
  book.SetFormula("B4", "SUM(B20,B30)");
  book.SetFormula("B30", "SUM(B24:B29)");
  book.SetFormula("B20", "SUM(B9:B19)");
  for (int row = 9; row <= 19; ++row) book.Set("B" + std::to_string(row), 10.25);
  book.Set("B24", 100.0);
  book.Set("B29", -0.5);
  const RecalcSummary summary = Recalculate(book);
  EXPECT_EQ(book.Get("B20"), Value(112.75));
  EXPECT_EQ(book.Get("B30"), Value(99.5));
  EXPECT_EQ(book.Get("B4"), Value(212.25));
  EXPECT_EQ(summary.formulas, 3u);
  EXPECT_EQ(summary.evaluated, 3u);
  EXPECT_EQ(summary.keptCached + summary.circular, 0u);
}

TEST(RecalcTest, RangesAcrossSheetsAndWholeColumnsCountAsDependencies) {
  TestWorkbook book;
  book.SetFormula("A1", "Sheet2!A1*2");
  book.SetFormula("A1", "SUM(B1:B2)", 1);
  book.Set("B1", 3.0, 1);
  book.Set("B2", 4.0, 1);
  book.SetFormula("D1", "SUM(C:C)");
  book.SetFormula("C7", "A1+1");
  Recalculate(book, book.resolver);
  EXPECT_EQ(book.Get("A1", 1), Value(7.0));
  EXPECT_EQ(book.Get("A1"), Value(14.0));
  EXPECT_EQ(book.Get("C7"), Value(15.0));
  EXPECT_EQ(book.Get("D1"), Value(15.0));
}

TEST(RecalcTest, UnevaluableFormulasKeepTheirCachedValue) {
  TestWorkbook book;
  book.SetFormula("G1", "VLOOKUP(1,A1:B2,2)", 0, 42.0);
  book.SetFormula("G2", "Rate*2", 0, std::string("cached"));
  book.SetFormulaBytes("G3", {0x18, 0x00}, 0, 7.0);
  book.SetFormula("H1", "G1+G3");
  const RecalcSummary summary = Recalculate(book, book.resolver);
  EXPECT_EQ(book.Get("G1"), Value(42.0));
  EXPECT_EQ(book.Get("G2"), Value(std::string("cached")));
  EXPECT_EQ(book.Get("G3"), Value(7.0));
  EXPECT_EQ(book.Get("H1"), Value(49.0));
  EXPECT_EQ(summary.keptCached, 3u);
  ASSERT_EQ(summary.notEvaluated.size(), 3u);
  EXPECT_EQ(book.resultsSet, 1);
  bool namesG3 = false;
  for (const std::string& line : summary.notEvaluated) namesG3 = namesG3 || line.find("G3: ") != std::string::npos;
  EXPECT_TRUE(namesG3);
}

TEST(RecalcTest, CircularReferencesBecomeErrorsWithoutHanging) {
  TestWorkbook book;
  book.SetFormula("A1", "B1+1", 0, 1.0);
  book.SetFormula("B1", "A1+1", 0, 2.0);
  book.SetFormula("C1", "A1*2");       // reads the cycle
  book.SetFormula("D1", "5");          // unrelated
  book.SetFormula("E1", "E1+1");       // reads itself
  book.SetFormula("F1", "SUM(F1:F3)"); // its own range
  const RecalcSummary summary = Recalculate(book);
  EXPECT_EQ(book.Get("A1"), kCircular);
  EXPECT_EQ(book.Get("B1"), kCircular);
  EXPECT_EQ(book.Get("C1"), kCircular);
  EXPECT_EQ(book.Get("D1"), Value(5.0));
  EXPECT_EQ(book.Get("E1"), kCircular);
  EXPECT_EQ(book.Get("F1"), kCircular);
  EXPECT_EQ(summary.circular, 4u);
  EXPECT_EQ(summary.evaluated, 2u);
}

TEST(RecalcTest, LongChainsNeedNoDeepRecursion) {
  TestWorkbook book;
  constexpr int kLength = 20000;
  for (int row = 1; row < kLength; ++row) {
    book.SetFormula("A" + std::to_string(row), "A" + std::to_string(row + 1) + "+1");
  }
  book.Set("A" + std::to_string(kLength), 0.0);
  Recalculate(book);
  EXPECT_EQ(book.Get("A1"), Value(static_cast<double>(kLength - 1)));
}

TEST(RecalcTest, ARecalculatorRunsAgainAfterValuesChange) {
  TestWorkbook book;
  book.SetFormula("C1", "A1*B1");
  book.Set("A1", 2.0);
  book.Set("B1", 3.0);
  const Recalculator recalculator(book);
  recalculator.Run(book);
  EXPECT_EQ(book.Get("C1"), Value(6.0));
  book.Set("B1", std::string("x"));
  recalculator.Run(book);
  EXPECT_EQ(book.Get("C1"), Value(ErrorCode::Value));
}

}  // namespace
}  // namespace quillora::engine
