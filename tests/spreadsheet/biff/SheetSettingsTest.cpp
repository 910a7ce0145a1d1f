// Names, calculation, window, page setup, pictures and ignored errors through a save and a
// read: equal field by field, and the same bytes on a second save.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/dump/Dump.h"
#include "tests/spreadsheet/biff/SettingsWorkbook.h"

namespace quillora::engine {
namespace {

using ::testing::HasSubstr;

// The record types of the workbook stream in order: globals first, then each sheet.
std::vector<std::uint16_t> RecordTypes(const std::vector<std::uint8_t>& file) {
  const CompoundFileReader container(file);
  const auto stream = container.ReadStream("Workbook");
  std::vector<std::uint16_t> types;
  for (const RecordView& r : SplitRecords(*stream)) types.push_back(r.type);
  return types;
}

TEST(SheetSettingsRoundTrip, EveryFieldSurvivesAndASecondSaveIsIdentical) {
  const Workbook built = testing::BuildSettingsWorkbook();
  const std::vector<std::uint8_t> first = WriteWorkbook(built);
  const Workbook read = ReadWorkbook(first);

  EXPECT_EQ(read.names, built.names);
  EXPECT_EQ(read.externSheets, built.externSheets);
  EXPECT_EQ(read.protection, built.protection);
  EXPECT_EQ(read.fullPrecision, built.fullPrecision);
  EXPECT_EQ(read.pictures, built.pictures);
  EXPECT_EQ(read.kept, built.kept);
  ASSERT_EQ(read.sheets.size(), 1u);
  const Sheet& a = read.sheets[0];
  const Sheet& b = built.sheets[0];
  EXPECT_EQ(a.window, b.window);
  EXPECT_EQ(a.zoom, b.zoom);
  EXPECT_EQ(a.pane, b.pane);
  EXPECT_EQ(a.selections, b.selections);
  EXPECT_EQ(a.calculation, b.calculation);
  EXPECT_EQ(a.sheetOptions, b.sheetOptions);
  EXPECT_EQ(a.pageSetup, b.pageSetup);
  EXPECT_EQ(a.protection, b.protection);
  EXPECT_EQ(a.pictures, b.pictures);
  EXPECT_EQ(a.ignoredErrors, b.ignoredErrors);
  EXPECT_EQ(a.kept, b.kept);
  EXPECT_EQ(read, built);
  EXPECT_EQ(WriteWorkbook(read), first);

  EXPECT_EQ(NameFormulaText(read, read.names[0]), "'Wedding Budget'!$1:$6");
  EXPECT_EQ(read.names[0].DisplayName(), "Print_Titles");
  EXPECT_FALSE(a.window.ShowGridlines());
  EXPECT_TRUE(a.window.ShowHeadings());

  // The interop check asks for the file through this variable.
  if (const char* out = std::getenv("QUILLORA_SETTINGS_TEST_WORKBOOK")) {
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(first.data()), static_cast<std::streamsize>(first.size()));
    ASSERT_TRUE(file.good()) << out;
  }
}

TEST(SheetSettingsRoundTrip, RecordsComeInTheOrderSheetsStoreThem) {
  const auto types = RecordTypes(WriteWorkbook(testing::BuildSettingsWorkbook()));
  auto at = [&](std::uint16_t type) {
    return std::find(types.begin(), types.end(), type) - types.begin();
  };
  // Globals: protection before WINDOW1; SUPBOOK, EXTERNSHEET, NAME, drawing group before SST.
  EXPECT_LT(at(rt::kWindowProtect), at(rt::kWindow1));
  EXPECT_LT(at(rt::kBoundSheet), at(rt::kSupBook));
  EXPECT_LT(at(rt::kSupBook), at(rt::kExternSheet));
  EXPECT_LT(at(rt::kExternSheet), at(rt::kName));
  EXPECT_LT(at(rt::kName), at(rt::kMsoDrawingGroup));
  EXPECT_LT(at(rt::kMsoDrawingGroup), at(rt::kSst));
  // The 37 KB picture store goes on in CONTINUE records right after its record.
  EXPECT_EQ(types[static_cast<std::size_t>(at(rt::kMsoDrawingGroup)) + 1], rt::kContinue);
  // Sheet: calculation and print flags, row height, page setup, column width, cells,
  // drawing, window, zoom, selection, then the ignored errors.
  const std::vector<std::uint16_t> order = {
      rt::kCalcMode, rt::kSaveRecalc, rt::kGridSet, rt::kDefaultRowHeight, rt::kWsBool, rt::kFooter, rt::kHCenter,
      rt::kSetup,    rt::kDefColWidth, rt::kDimensions, rt::kMsoDrawing, rt::kObj, rt::kWindow2, rt::kScl,
      rt::kSelection, rt::kFeatHeader, rt::kFeat};
  for (std::size_t k = 1; k < order.size(); ++k)
    EXPECT_LT(at(order[k - 1]), at(order[k])) << std::hex << order[k - 1] << " before " << order[k];
  // Margins that are not set are not written.
  EXPECT_EQ(at(rt::kLeftMargin), static_cast<std::ptrdiff_t>(types.size()));
}

TEST(SheetSettingsRoundTrip, DumpListsTheSettings) {
  std::ostringstream listing;
  DumpWorkbook(testing::BuildSettingsWorkbook(), listing);
  const std::string text = listing.str();
  EXPECT_EQ(text.rfind("sheet 1 \"Wedding Budget\" worksheet visible\n", 0), 0u);
  EXPECT_THAT(text, HasSubstr("\n  window gridlines=hidden headings=shown zeros=shown zoom=100% panes=none active=B9 "
                              "selection=B9\n"));
  EXPECT_THAT(text, HasSubstr("\n  page paper=1 orientation=portrait fit=1x3 scale=90%(inactive) order=down-then-over "
                              "first-page=auto header-margin=0.5 footer-margin=0.5 quality=600x600 copies=1 "
                              "center-horizontal=on center-vertical=off margins=unset,unset,unset,unset "
                              "print-gridlines=off print-headings=off header=\"\" "
                              "footer=\"&LWedding Budget&RPage &P of &N\"\n"));
  EXPECT_THAT(text, HasSubstr("\n  calculation automatic count=100 references=A1 iteration=off delta=0.001 "
                              "recalc-before-save=on\n"));
  EXPECT_THAT(text, HasSubstr("\n  picture \"floral\" description=\"Floral Arrangement\" blip=1 png "));
  EXPECT_THAT(text, HasSubstr(" from=A1+70/1024,43/256 to=A3+623/1024,136/256\n"));
  EXPECT_THAT(text, HasSubstr("\n  ignore-errors empty-cell-reference ranges=B20:C20,B30:C30\n"));
  EXPECT_THAT(text, HasSubstr("\n  workbook date-system=1900 precision=full protection windows=off structure=off "
                              "password=none pictures=1\n"));
  EXPECT_THAT(text, HasSubstr("\n  name \"Print_Titles\" scope=\"Wedding Budget\" built-in "
                              "formula=\"'Wedding Budget'!$1:$6\"\n"));
  // Settings lines never hold a tab, so no reader takes them for cells.
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("  ", 0) == 0) {
      EXPECT_EQ(line.find('\t'), std::string::npos) << line;
    }
}

TEST(SheetSettingsRoundTrip, ProtectionPanesAndMarginsSurvive) {
  Workbook book = testing::BuildSettingsWorkbook();
  Sheet& sheet = book.sheets[0];
  sheet.protection = SheetProtection{true, std::nullopt, true, 0xCE4B};
  sheet.window.Set(kWindowFrozen, true);
  sheet.pane = Pane{1, 6, 6, 1, 0};
  sheet.selections = {Selection{0, {10, 2}, 1, {CellRange{9, 1, 9, 1}, CellRange{10, 2, 12, 2}}}};
  sheet.pageSetup.leftMargin = 0.75;
  sheet.pageSetup.bottomMargin = 1.0;
  sheet.calculation->mode = 0;
  sheet.calculation->iteration = true;
  book.protection = BookProtection{true, true, 0x1234};
  book.date1904 = true;
  const auto bytes = WriteWorkbook(book);
  const Workbook read = ReadWorkbook(bytes);
  EXPECT_EQ(read, book);
  EXPECT_EQ(WriteWorkbook(read), bytes);
  EXPECT_TRUE(read.sheets[0].window.FrozenPanes());
}

TEST(SheetSettingsRoundTrip, SheetsWithoutSettingsGainNoRecords) {
  Workbook book = NewWorkbook();
  book.sheets.emplace_back().name = "Plain";
  const auto types = RecordTypes(WriteWorkbook(book));
  for (std::uint16_t type : {rt::kCalcMode, rt::kSetup, rt::kWsBool, rt::kHeader, rt::kScl, rt::kSelection,
                             rt::kFeatHeader, rt::kName, rt::kExternSheet, rt::kSupBook, rt::kMsoDrawingGroup,
                             rt::kMsoDrawing, rt::kProtect, rt::kPrecision})
    EXPECT_EQ(std::count(types.begin(), types.end(), type), 0) << std::hex << type;
}

TEST(SheetSettingsRoundTrip, PictureWithoutStoreEntryIsRefusedOnSave) {
  Workbook book = testing::BuildSettingsWorkbook();
  book.sheets[0].pictures[0].blipIndex = 2;
  EXPECT_THROW(
      {
        try {
          WriteWorkbook(book);
        } catch (const std::runtime_error& error) {
          EXPECT_THAT(error.what(), HasSubstr("\"floral\""));
          throw;
        }
      },
      std::runtime_error);
}

TEST(SheetSettingsRoundTrip, PictureShapeIdsOutsideTheDrawingAreRenumbered) {
  Workbook book = testing::BuildSettingsWorkbook();
  book.sheets[0].pictures[0].shapeId = 0;  // left for the writer to choose
  const Workbook read = ReadWorkbook(WriteWorkbook(book));
  ASSERT_EQ(read.sheets[0].pictures.size(), 1u);
  EXPECT_EQ(read.sheets[0].pictures[0].shapeId, 1025u);
  EXPECT_EQ(read.sheets[0].pictures[0].anchor, book.sheets[0].pictures[0].anchor);
}

}  // namespace
}  // namespace quillora::engine
