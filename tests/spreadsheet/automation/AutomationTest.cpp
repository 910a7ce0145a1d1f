// The automation object model end to end: open a template, fill it as typed input, save,
// reopen; and the failures a caller sees.
#include <gtest/gtest.h>

#include <filesystem>

#include "spreadsheet/automation/Automation.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/numfmt/WorkbookFormats.h"
#include "tests/support/GermanLocale.h"
#include "tests/support/TempDir.h"

namespace quillora::engine::automation {
namespace {

using quillora::testing::TempDir;

constexpr const char* kCurrencyCode = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";

NumberLocale German() { return quillora::testing::GermanLocale(); }

// A small budget template: items in B3:C6 (currency format), section totals in row 7, the
// grand total in B8.
std::filesystem::path WriteTemplate(const TempDir& dir) {
  engine::Workbook book = NewWorkbook();
  book.numberFormats[164] = kCurrencyCode;
  CellFormat currency = book.cellFormats[15];
  currency.format = 164;
  const auto xf = static_cast<std::uint16_t>(book.cellFormats.size());
  book.cellFormats.push_back(currency);
  book.isTemplate = true;

  Sheet sheet;
  sheet.name = "Wedding Budget";
  sheet.cells[{0, 0}] = Cell{15, std::string("Budget"), {}};
  for (int row = 2; row <= 5; ++row)
    for (int column = 1; column <= 2; ++column) sheet.cells[{row, column}] = Cell{xf, 0.0, {}};
  const auto formula = [](const char* text) { return Formula{CompileFormula(text), {}, 0, 0, {}}; };
  sheet.cells[{6, 1}] = Cell{xf, 0.0, formula("SUM(B3:B6)")};
  sheet.cells[{6, 2}] = Cell{xf, 0.0, formula("SUM(C3:C6)")};
  sheet.cells[{7, 1}] = Cell{xf, 0.0, formula("B7+C7")};
  book.sheets.push_back(sheet);

  const auto path = dir / "template.xlt";
  const auto bytes = WriteWorkbook(book);
  FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

engine::Workbook Reread(const std::filesystem::path& path) {
  Application application;
  return application.Workbooks().Open(path.string()).Model();
}

Value CellOf(const engine::Workbook& book, int row, int column) { return book.sheets[0].cells.at({row, column}).value; }

template <typename Call>
std::string FailureOf(Call call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return e.what();
  }
  return "no failure";
}

TEST(AutomationTest, FillsATemplateAndSavesAWorkbookWithRecalculatedTotals) {
  TempDir dir;
  const auto templatePath = WriteTemplate(dir);
  for (const int code : {kWorkbookNormal, kExcel8}) {
    Application excel;
    excel.SetVisible(false);
    excel.SetDisplayAlerts(false);
    EXPECT_EQ(excel.Version(), "16.0");
    Workbook book = excel.Workbooks().Open(templatePath.string());
    EXPECT_EQ(excel.Workbooks().count(), 1);
    EXPECT_TRUE(book.Model().isTemplate);
    const Worksheet sheet = excel.Worksheets(1);
    EXPECT_EQ(sheet.Name(), "Wedding Budget");
    sheet.Cells(3, 2).SetValue("$1,250.00");
    sheet.Cells(3, 3).SetValue("$1,300.25");
    sheet.Cells(4, 2).SetValue("($20.50)");
    sheet.Cells(5, 3).SetValue("$0.00");
    excel.Range("B9").Select();
    const auto out = dir / ("out" + std::to_string(code) + ".xls");
    excel.Workbooks().Item(1).SaveAs(out.string(), code);
    EXPECT_FALSE(book.Model().isTemplate);
    EXPECT_EQ(book.FullName(), out.string());
    book.Close();
    EXPECT_EQ(excel.Workbooks().count(), 0);
    excel.Quit();

    const engine::Workbook saved = Reread(out);
    EXPECT_FALSE(saved.isTemplate);
    EXPECT_EQ(CellOf(saved, 2, 1), Value(1250.0));
    EXPECT_EQ(CellOf(saved, 3, 1), Value(-20.5));
    EXPECT_EQ(CellOf(saved, 6, 1), Value(1229.5));
    EXPECT_EQ(CellOf(saved, 6, 2), Value(1300.25));
    EXPECT_EQ(CellOf(saved, 7, 1), Value(2529.75));
    EXPECT_EQ(saved.sheets[0].cells.at({2, 1}).xf, saved.sheets[0].cells.at({6, 1}).xf);
    EXPECT_EQ(saved.numberFormats.at(164), kCurrencyCode);
    // The selection was stored for the active pane.
    ASSERT_EQ(saved.sheets[0].selections.size(), 1u);
    EXPECT_EQ(saved.sheets[0].selections[0].active, (CellAddress{8, 1}));
  }
}

TEST(AutomationTest, GermanCurrencyTextBecomesNumbersAndForeignTextStaysText) {
  TempDir dir;
  Application excel(German());
  Workbook book = excel.Workbooks().Open(WriteTemplate(dir).string());
  const Worksheet sheet = book.ActiveSheet();
  sheet.Cells(3, 2).SetValue("1.250,00\u00A0\u20AC");
  sheet.Cells(4, 2).SetValue("-0,5");
  sheet.Cells(5, 2).SetValue("$1,250.00");  // not an amount under de_DE
  sheet.Cells(6, 2).SetValue("=B3*2");
  sheet.Cells(6, 3).SetValue("=C7");        // C6 -> C7 -> C6: circular
  const auto out = dir / "de.xls";
  book.SaveAs(out.string(), kExcel8);
  const engine::Workbook saved = Reread(out);
  EXPECT_EQ(CellOf(saved, 2, 1), Value(1250.0));
  EXPECT_EQ(CellOf(saved, 4, 1), Value(std::string("$1,250.00")));
  EXPECT_EQ(CellOf(saved, 5, 1), Value(2500.0));
  EXPECT_EQ(CellOf(saved, 6, 1), Value(3749.5));  // SUM skips the text
  EXPECT_EQ(CellOf(saved, 5, 2), Value(ErrorCode::Ref));
  EXPECT_EQ(CellOf(saved, 6, 2), Value(ErrorCode::Ref));
  EXPECT_EQ(CellOf(saved, 7, 1), Value(ErrorCode::Ref));
}

TEST(AutomationTest, NumberFormatsChangeOnlyTheFormatAndShareRecords) {
  TempDir dir;
  Application excel;
  Workbook book = excel.Workbooks().Open(WriteTemplate(dir).string());
  const Worksheet sheet = book.ActiveSheet();
  const engine::Workbook before = book.Model();
  EXPECT_EQ(sheet.Range("B3").NumberFormat(), kCurrencyCode);
  EXPECT_EQ(sheet.Range("A1").NumberFormat(), "General");
  // The code a cell already has changes nothing at all.
  sheet.Range("B3:C7").SetNumberFormat(kCurrencyCode);
  EXPECT_EQ(book.Model(), before);

  const std::string euros = "#,##0.00 \"\u20AC\"_);[Red]\\(#,##0.00 \"\u20AC\"\\)";
  sheet.Range("B3:C7").SetNumberFormat(euros);
  sheet.Range("B8").SetNumberFormat(euros);
  const engine::Workbook& after = book.Model();
  const std::uint16_t xf = after.sheets[0].cells.at({2, 1}).xf;
  EXPECT_EQ(after.sheets[0].cells.at({7, 1}).xf, xf);  // one new cell format, shared
  EXPECT_EQ(after.cellFormats.size(), before.cellFormats.size() + 1);
  EXPECT_EQ(after.numberFormats.size(), before.numberFormats.size() + 1);
  CellFormat expected = before.cellFormats[before.sheets[0].cells.at({2, 1}).xf];
  expected.format = after.cellFormats[xf].format;
  expected.usedAttributes |= 0x01;  // the number format is the cell's own
  EXPECT_EQ(after.cellFormats[xf], expected);
  EXPECT_EQ(NumberFormatCode(after, expected.format), euros);
  EXPECT_EQ(sheet.Range("C7").NumberFormat(), euros);
  EXPECT_EQ(CellOf(after, 2, 1), Value(0.0));  // values are untouched
  // A cell not stored yet becomes a blank one in the format.
  sheet.Range("E1").SetNumberFormat("0.0%");
  EXPECT_EQ(sheet.Range("E1").NumberFormat(), "0.0%");
  EXPECT_EQ(CellOf(after, 0, 4), Value());
  // The new code survives a save and a reread.
  const auto out = dir / "euros.xls";
  book.SaveAs(out.string(), kExcel8);
  const engine::Workbook saved = Reread(out);
  EXPECT_EQ(NumberFormatCode(saved, saved.cellFormats[saved.sheets[0].cells.at({6, 2}).xf].format), euros);
  // A code that does not parse is refused before anything changes.
  EXPECT_EQ(FailureOf([&] { sheet.Range("B3").SetNumberFormat("0.00\"unterminated"); }).rfind(
                "Cannot set the number format of B3 of sheet \"Wedding Budget\" to ", 0),
            0u);
  EXPECT_EQ(sheet.Range("B3").NumberFormat(), euros);
}

TEST(AutomationTest, RangesReportRowsColumnsAndTheUsedRange) {
  TempDir dir;
  Application excel;
  excel.Workbooks().Open(WriteTemplate(dir).string());
  const Range used = excel.Worksheets(1).UsedRange();
  // What the capture reads: the last row and column of the used range.
  EXPECT_EQ(used.Rows().Item(used.Rows().count()).Row(), 8);
  EXPECT_EQ(used.Columns().Item(used.Columns().count()).Column(), 3);
  EXPECT_EQ(used.Row(), 1);
  EXPECT_EQ(used.Column(), 1);
  const Range block = excel.Range("$B$3:C6");
  EXPECT_EQ(block.Rows().count(), 4);
  EXPECT_EQ(block.Columns().count(), 2);
  EXPECT_EQ(block.Columns().Item(2).Column(), 3);
  block.SetValue("7");
  EXPECT_EQ(excel.Range("C6").GetValue(), Value(7.0));

  CellRange copied{};
  int copies = 0;
  excel.SetCopyPictureHook([&](const engine::Workbook&, int, const CellRange& range) {
    copied = range;
    ++copies;
  });
  used.CopyPicture();
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(copied.rowLast, 7);
  EXPECT_EQ(copied.columnLast, 2);
}

TEST(AutomationTest, FailuresSayWhatFailedAndWhere) {
  TempDir dir;
  const std::string missing = (dir / "missing.xls").string();
  Application excel;
  EXPECT_EQ(FailureOf([&] { excel.Workbooks().Open(missing); }), "Cannot open " + missing + ": No such file or directory");
  const auto text = dir / "text.xls";
  quillora::testing::WriteText(text, "not a workbook at all, just some text to be refused");
  EXPECT_NE(FailureOf([&] { excel.Workbooks().Open(text.string()); }).find("Cannot open " + text.string() + ": "),
            std::string::npos);
  EXPECT_NE(FailureOf([&] { excel.Workbooks().Open(dir.path().string()); }).find("folder"), std::string::npos);
  EXPECT_NE(FailureOf([&] { excel.Worksheets(1); }).find("no workbook is open"), std::string::npos);

  Workbook book = excel.Workbooks().Open(WriteTemplate(dir).string());
  const Worksheet sheet = excel.Worksheets(1);
  EXPECT_NE(FailureOf([&] { excel.Worksheets(2); }).find("1 worksheet"), std::string::npos);
  EXPECT_NE(FailureOf([&] { excel.Workbooks().Item(2); }).find("workbook 2"), std::string::npos);
  for (const char* bad : {"B0", "IW1", "hello", "Sheet1!A1", "=A1", "", "A1+B2"})
    EXPECT_NE(FailureOf([&] { sheet.Range(bad); }).find("not a cell address"), std::string::npos) << bad;
  EXPECT_NE(FailureOf([&] { sheet.Cells(0, 1); }).find("rows are 1 to 65536"), std::string::npos);
  EXPECT_NE(FailureOf([&] { sheet.Cells(1, 257); }).find("Wedding Budget"), std::string::npos);
  EXPECT_NE(FailureOf([&] { sheet.Range("A1").CopyPicture(); }).find("no renderer"), std::string::npos);

  // A refused format and a failed write leave the workbook as it was and write nothing.
  const auto out = dir / "out.xls";
  EXPECT_NE(FailureOf([&] { book.SaveAs(out.string(), 51); }).find("file format 51"), std::string::npos);
  const std::string nowhere = (dir / "no-such-folder" / "out.xls").string();
  EXPECT_NE(FailureOf([&] { book.SaveAs(nowhere, kExcel8); }).find("Cannot save " + nowhere + ": "), std::string::npos);
  EXPECT_TRUE(book.Model().isTemplate);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // template, text

  // A closed workbook and everything reached through it.
  book.Close();
  EXPECT_NE(FailureOf([&] { book.SaveAs(out.string(), kExcel8); }).find("is closed"), std::string::npos);
  EXPECT_NE(FailureOf([&] { sheet.Cells(1, 1).SetValue("1"); }).find("is closed"), std::string::npos);
  EXPECT_NE(FailureOf([&] { excel.Range("A1"); }).find("no workbook is open"), std::string::npos);

  // A quit application.
  Workbook again = excel.Workbooks().Open(WriteTemplate(dir).string());
  excel.Quit();
  for (const auto& call : std::vector<std::function<void()>>{
           [&] { excel.Workbooks(); }, [&] { (void)excel.Version(); }, [&] { again.ActiveSheet(); },
           [&] { excel.Quit(); }})
    EXPECT_NE(FailureOf(call).find("the application has quit"), std::string::npos);
}

TEST(AutomationTest, SaveAsReplacesAnExistingFileWhole) {
  TempDir dir;
  const auto out = dir / "out.xls";
  quillora::testing::WriteText(out, "old content");
  Application excel;
  Workbook book = excel.Workbooks().Open(WriteTemplate(dir).string());
  book.SaveAs(out.string(), kExcel8);
  EXPECT_FALSE(Reread(out).isTemplate);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // no temporary left
}

}  // namespace
}  // namespace quillora::engine::automation
