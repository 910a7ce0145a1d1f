// Typed input into the model, the recalculation adapter and the template flag.
#include <gtest/gtest.h>

#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"
#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/edit/TypedInput.h"
#include "spreadsheet/formula/Formula.h"
#include "tests/support/GermanLocale.h"

namespace quillora::engine {
namespace {

NumberLocale German() { return quillora::testing::GermanLocale(); }

// One sheet: B2 formatted with xf 20, column C formatted 21, row 5 formatted 22.
Workbook SmallBook() {
  Workbook book = NewWorkbook();
  Sheet sheet;
  sheet.name = "Budget";
  sheet.cells[{1, 1}] = Cell{20, 5.0, {}};
  sheet.columns.push_back(ColumnInfo{2, 2, 3000, 21});
  sheet.rows[4].xf = 22;
  book.sheets.push_back(sheet);
  return book;
}

const Cell& At(const Workbook& book, int row, int column, int sheet = 0) {
  return book.sheets.at(static_cast<std::size_t>(sheet)).cells.at({row, column});
}

TEST(TypedInputTest, AmountsBecomeNumbersUnderTheLocaleAndCellsKeepTheirFormat) {
  Workbook book = SmallBook();
  SetCellFromText(book, 0, {1, 1}, "$1,250.00", UnitedStatesConventions());
  EXPECT_EQ(At(book, 1, 1).value, Value(1250.0));
  EXPECT_EQ(At(book, 1, 1).xf, 20);
  SetCellFromText(book, 0, {1, 1}, "($20.50)", UnitedStatesConventions());
  EXPECT_EQ(At(book, 1, 1).value, Value(-20.5));

  SetCellFromText(book, 0, {1, 1}, "1.250,00\u00A0\u20AC", German());
  EXPECT_EQ(At(book, 1, 1).value, Value(1250.0));
  // Another locale's currency text is no amount here: it stays text, format unchanged.
  SetCellFromText(book, 0, {1, 1}, "$1,250.00", German());
  EXPECT_EQ(At(book, 1, 1).value, Value(std::string("$1,250.00")));
  EXPECT_EQ(At(book, 1, 1).xf, 20);
}

TEST(TypedInputTest, NewCellsTakeTheRowFormatThenTheColumnFormatThenTheDefault) {
  Workbook book = SmallBook();
  const NumberLocale us = UnitedStatesConventions();
  SetCellFromText(book, 0, {4, 2}, "1", us);   // row 5 and column C: the row wins
  SetCellFromText(book, 0, {7, 2}, "2", us);   // column C
  SetCellFromText(book, 0, {7, 0}, "x", us);   // neither
  EXPECT_EQ(At(book, 4, 2).xf, 22);
  EXPECT_EQ(At(book, 7, 2).xf, 21);
  EXPECT_EQ(At(book, 7, 0).xf, 15);
}

TEST(TypedInputTest, EmptyTextClearsValueAndFormulaButKeepsTheFormat) {
  Workbook book = SmallBook();
  const NumberLocale us = UnitedStatesConventions();
  SetCellFromText(book, 0, {1, 1}, "=1+2", us);
  ASSERT_TRUE(At(book, 1, 1).formula);
  SetCellFromText(book, 0, {1, 1}, "", us);
  EXPECT_EQ(At(book, 1, 1).value, Value{});
  EXPECT_FALSE(At(book, 1, 1).formula);
  EXPECT_EQ(At(book, 1, 1).xf, 20);
  // Clearing a cell that does not exist creates none.
  SetCellFromText(book, 0, {30, 3}, "", us);
  EXPECT_FALSE(book.sheets[0].cells.contains({30, 3}));
}

TEST(TypedInputTest, FormulasCompileAndWhatDoesNotCompileStaysText) {
  Workbook book = SmallBook();
  const NumberLocale us = UnitedStatesConventions();
  SetCellFromText(book, 0, {2, 1}, "=SUM(B2:B2)*2", us);
  ASSERT_TRUE(At(book, 2, 1).formula);
  EXPECT_EQ(PrintFormula(At(book, 2, 1).formula->tokens), "SUM(B2:B2)*2");
  for (const char* text : {"=SUM(", "=NOSUCHFUNCTION(1)", "=Other!A1", "=", "plain words"}) {
    SetCellFromText(book, 0, {3, 1}, text, us);
    EXPECT_EQ(At(book, 3, 1).value, Value(std::string(text))) << text;
    EXPECT_FALSE(At(book, 3, 1).formula) << text;
  }
  RecalculateWorkbook(book);
  EXPECT_EQ(At(book, 2, 1).value, Value(10.0));
}

TEST(TypedInputTest, RefusesWhatWouldDamageTheWorkbook) {
  Workbook book = SmallBook();
  const NumberLocale us = UnitedStatesConventions();
  EXPECT_THROW(SetCellFromText(book, 1, {0, 0}, "1", us), RequestError);
  EXPECT_THROW(SetCellFromText(book, 0, {65536, 0}, "1", us), RequestError);
  EXPECT_THROW(SetCellFromText(book, 0, {0, 256}, "1", us), RequestError);
  EXPECT_THROW(SetCellFromText(book, 0, {0, 0}, std::string(kMaxCellTextLength + 1, 'x'), us), RequestError);
  SetCellFromText(book, 0, {0, 0}, std::string(kMaxCellTextLength, 'x'), us);
  EXPECT_THROW(SetCellFromText(book, 0, {0, 0}, "caf\xE9", us), RequestError);
  SetCellFromText(book, 0, {0, 0}, "caf\xC3\xA9 \xEF\xBF\xBD", us);

  // The anchor of a shared formula: other cells' formulas point at its SHRFMLA record.
  Cell anchor{15, 3.0, Formula{{0x01, 0x00, 0x00, 0x00, 0x00}, {}, 0x08, 0, KeptRecord{0x04BC, {1, 2, 3}, {}, 0}}};
  book.sheets[0].cells[{9, 0}] = anchor;
  try {
    SetCellFromText(book, 0, {9, 0}, "1", us);
    FAIL() << "expected a refusal";
  } catch (const RequestError& e) {
    EXPECT_NE(std::string(e.what()).find("A10"), std::string::npos) << e.what();
  }
  EXPECT_EQ(At(book, 9, 0), anchor);
}

// EXTERNSHEET entries of this workbook's own SUPBOOK reach other sheets; others do not.
TEST(TypedInputTest, RecalculationFollowsReferencesToOtherSheets) {
  Workbook book = SmallBook();
  Sheet rates;
  rates.name = "Rates";
  rates.cells[{0, 0}] = Cell{15, 4.0, {}};
  book.sheets.push_back(rates);
  // Entries: 0 -> Rates of this workbook, 1 -> a sheet of another book.
  book.externSheets = {ExternSheet{0, 1, 1}, ExternSheet{1, -2, -2}};
  const WorkbookReferences references(book);
  EXPECT_EQ(references.ExternSheetIndex("rates", "RATES"), std::optional<std::uint16_t>(0));
  EXPECT_FALSE(references.ExternSheetSpan(1));
  EXPECT_FALSE(references.ExternSheetSpan(7));

  SetCellFromText(book, 0, {2, 1}, "=Rates!A1*B2", UnitedStatesConventions(), references);
  ASSERT_TRUE(At(book, 2, 1).formula);
  const RecalcSummary summary = RecalculateWorkbook(book);
  EXPECT_EQ(At(book, 2, 1).value, Value(20.0));
  EXPECT_EQ(summary.evaluated, 1u);
}

TEST(TypedInputTest, FormulasTheEngineCannotEvaluateKeepTheirCachedValue) {
  Workbook book = SmallBook();
  // tExp (a shared formula's member) pointing at A1.
  book.sheets[0].cells[{3, 3}] = Cell{15, 42.0, Formula{{0x01, 0x00, 0x00, 0x00, 0x00}, {}, 0x08, 0, {}}};
  book.sheets[0].cells[{4, 3}] = Cell{15, 0.0, Formula{CompileFormula("D4+1"), {}, 0, 0, {}}};
  const RecalcSummary summary = RecalculateWorkbook(book);
  EXPECT_EQ(At(book, 3, 3).value, Value(42.0));
  EXPECT_EQ(At(book, 4, 3).value, Value(43.0));
  EXPECT_EQ(summary.keptCached, 1u);
}

TEST(TypedInputTest, TemplateFlagSurvivesWritingAndReading) {
  Workbook book = SmallBook();
  book.kept.push_back(KeptRecord{0x00E1, {0x00, 0x00}, {}, 0});
  for (const bool flag : {true, false}) {
    book.isTemplate = flag;
    const Workbook back = ReadWorkbook(WriteWorkbook(book));
    EXPECT_EQ(back.isTemplate, flag);
    EXPECT_EQ(back.kept, book.kept);
  }
}

}  // namespace
}  // namespace quillora::engine
