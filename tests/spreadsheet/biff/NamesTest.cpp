// Defined names: their records, their formulas through the workbook's EXTERNSHEET table.
#include <gtest/gtest.h>

#include "spreadsheet/biff/NameRecords.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/formula/FormulaTokens.h"

namespace quillora::engine {
namespace {

Workbook TwoSheets() {
  Workbook book = NewWorkbook();
  book.sheets.emplace_back().name = "Wedding Budget";
  book.sheets.emplace_back().name = "Notes";
  return book;
}

TEST(DefinedNames, PrintTitlesIsABuiltInAreaOverWholeRows) {
  Workbook book = TwoSheets();
  const auto tokens = CompileNameFormula(book, "'Wedding Budget'!$1:$6");
  // tArea3d (reference class): EXTERNSHEET index, rows 0-5, columns 0-255 absolute.
  ASSERT_EQ(tokens.size(), 11u);
  EXPECT_EQ(tokens[0], 0x3B);
  EXPECT_EQ(tokens[1] | tokens[2] << 8, 0);
  EXPECT_EQ(tokens[3] | tokens[4] << 8, 0);
  EXPECT_EQ(tokens[5] | tokens[6] << 8, 5);
  EXPECT_EQ((tokens[7] | tokens[8] << 8) & 0x3FFF, 0);
  EXPECT_EQ((tokens[9] | tokens[10] << 8) & 0x3FFF, 255);
  ASSERT_EQ(book.externSheets.size(), 1u);
  EXPECT_EQ(book.externSheets[0], (ExternSheet{0, 0, 0}));
}

TEST(DefinedNames, ExternSheetEntriesAreSharedAndPrintedBack) {
  Workbook book = TwoSheets();
  DefinedName a, b, c;
  a.name = "Totals";
  a.formula = CompileNameFormula(book, "'Wedding Budget'!$B$4:$C$4");
  b.name = "Notes_Area";
  b.sheet = 2;
  b.formula = CompileNameFormula(book, "Notes!A1:C10");
  c.name = "Again";
  c.formula = CompileNameFormula(book, "'wedding budget'!B20");
  EXPECT_EQ(book.externSheets.size(), 2u);  // Wedding Budget once, Notes once
  book.names = {a, b, c};
  const Workbook read = ReadWorkbook(WriteWorkbook(book));
  ASSERT_EQ(read.names, book.names);
  EXPECT_EQ(NameFormulaText(read, read.names[0]), "'Wedding Budget'!$B$4:$C$4");
  EXPECT_EQ(NameFormulaText(read, read.names[1]), "Notes!A1:C10");
  EXPECT_EQ(NameFormulaText(read, read.names[2]), "'Wedding Budget'!B20");
  // A formula can refer to a defined name by its text.
  const WorkbookReferences refs(read);
  EXPECT_EQ(refs.NameIndex("totals"), 1);
  EXPECT_EQ(refs.NameText(2), "Notes_Area");
  EXPECT_FALSE(refs.NameText(4));
  EXPECT_THROW(CompileNameFormula(book, "Missing!A1"), FormulaError);
}

TEST(DefinedNames, RecordKeepsOptionsShortcutAndTexts) {
  DefinedName name;
  name.name = "Brautstrauß";  // ß fits 8 bits: stored compressed
  name.options = 0x0001;       // hidden
  name.shortcutKey = 'Q';
  name.formula = {0x1C, 0x07};  // #N/A
  name.extra = {0, 4, 0, 0, 0, 'N', 'o', 't', 'e'};  // a description
  std::vector<std::uint8_t> bytes;
  EncodeName(bytes, name);
  EXPECT_EQ(DecodeName(bytes), name);

  DefinedName wide;
  wide.name = "\xE5\x90\x8D\xE5\x89\x8D";  // two CJK characters: UTF-16 on disk
  wide.formula = {0x1C, 0x07};
  bytes.clear();
  EncodeName(bytes, wide);
  EXPECT_EQ(bytes[14], 1);  // the wide-characters flag
  EXPECT_EQ(DecodeName(bytes), wide);

  // A built-in code above 127 is one character on disk and keeps its value.
  DefinedName builtIn;
  builtIn.builtIn = true;
  builtIn.builtInCode = 0xC2;
  builtIn.formula = {0x1C, 0x07};
  bytes.clear();
  EncodeName(bytes, builtIn);
  EXPECT_EQ(DecodeName(bytes), builtIn);

  DefinedName empty;
  bytes.clear();
  EXPECT_THROW(EncodeName(bytes, empty), std::runtime_error);
  // A record whose name has no characters is refused on reading, not carried to the writer.
  EncodeName(bytes, name);
  bytes[3] = 0;
  EXPECT_THROW(DecodeName(bytes), std::runtime_error);
}

TEST(DefinedNames, AnExistingInternalSupBookIsUsedAndNotRepeated) {
  Workbook book = TwoSheets();
  // A workbook read from elsewhere: an external SUPBOOK first, then the internal one.
  book.kept.push_back({0x01AE, {1, 0, 2, 0, 'x', 0x01, 'x'}, {}, 0x0085});
  book.kept.push_back({0x01AE, {2, 0, 0x01, 0x04}, {}, 0x0085});
  EXPECT_EQ(InternalSupBook(book), 1);
  DefinedName titles;
  titles.builtIn = true;
  titles.builtInCode = 7;
  titles.sheet = 2;
  titles.formula = CompileNameFormula(book, "Notes!$1:$2");
  EXPECT_EQ(book.externSheets[0], (ExternSheet{1, 1, 1}));
  book.names.push_back(titles);
  const auto bytes = WriteWorkbook(book);
  const Workbook read = ReadWorkbook(bytes);
  EXPECT_EQ(read, book);
  EXPECT_EQ(WriteWorkbook(read), bytes);
  EXPECT_EQ(NameFormulaText(read, read.names[0]), "Notes!$1:$2");
}

}  // namespace
}  // namespace quillora::engine
