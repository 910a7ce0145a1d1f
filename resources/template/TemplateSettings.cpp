#include "resources/template/TemplateSettings.h"

#include <string>

#include "resources/template/TemplateLayout.h"
#include "spreadsheet/calc/WorkbookReferences.h"

namespace quillora::templates {
namespace {

using engine::CellAddress;
// The model's range of cells on one sheet, as the selection and the ignored checks hold it.
using Range = engine::CellRange;

// The picture at the left end of the title band: from column A at 70/1024 of its width and
// row 1 at 43/256 of its height to column A at 623/1024 and row 3 at 136/256.
constexpr engine::Anchor kFloralAnchor{.flags = 2, .col1 = 0, .dx1 = 70, .row1 = 0, .dy1 = 43,
                                       .col2 = 0, .dx2 = 623, .row2 = 2, .dy2 = 136};

constexpr const char* kFooter = "&LWedding Budget&RPage &P of &N";
constexpr const char* kPrintTitles = "'Wedding Budget'!$1:$6";

constexpr std::uint16_t kPaperLetter = 1;
constexpr std::uint16_t kPortrait = 0x0002;  // down then over, automatic first page number

Range Cells(char first, int firstRow, char last, int lastRow) {
  return Range{firstRow - 1, first - 'A', lastRow - 1, last - 'A'};
}

engine::PageSetup PrintSettings() {
  engine::PageSetup page;
  page.printHeadings = false;
  page.printGridlines = false;
  page.gridSet = true;
  page.header = "";
  page.footer = kFooter;
  page.centerHorizontally = true;
  page.centerVertically = false;
  engine::PrintSetup setup;
  setup.paperSize = kPaperLetter;
  setup.scale = 90;  // stored, not in effect: the sheet fits 1 page wide by 3 tall
  setup.fitWidth = 1;
  setup.fitHeight = 3;
  setup.options = kPortrait;
  setup.resolution = setup.verticalResolution = 600;
  setup.headerMargin = setup.footerMargin = 0.5;
  setup.copies = 1;
  page.setup = setup;
  return page;
}

}  // namespace

void ApplySheetSettings(engine::Sheet& sheet) {
  // Only B9 is selected, and it is the active cell.
  engine::Selection selection;
  selection.active = {8, 1};
  selection.ranges = {Cells('B', 9, 'B', 9)};
  sheet.selections = {selection};
  sheet.calculation = engine::CalcSettings{};  // automatic, A1, no iteration, recalc before save
  sheet.sheetOptions = engine::kSheetOptionsDefault | engine::kSheetFitToPage;
  sheet.pageSetup = PrintSettings();

  // No error marks on the totals of the empty template: they refer to empty cells on purpose.
  engine::IgnoredErrors totals;
  totals.flags = engine::kIgnoreEmptyCellReference;
  for (const Section& section : Sections()) totals.ranges.push_back(Cells('B', section.totalRow, 'C', section.totalRow));
  sheet.ignoredErrors = {totals};
}

void ApplyBookSettings(engine::Workbook& book, std::span<const std::uint8_t> floralJpeg) {
  book.isTemplate = true;

  engine::DefinedName titles;
  titles.builtIn = true;
  titles.builtInCode = static_cast<std::uint8_t>(engine::BuiltInName::PrintTitles);
  titles.sheet = 1;
  titles.formula = engine::CompileNameFormula(book, kPrintTitles);
  book.names.push_back(std::move(titles));

  book.pictures.blips.push_back({engine::BlipKind::Jpeg, {floralJpeg.begin(), floralJpeg.end()}});
  engine::SheetPicture floral;
  floral.name = "floral";
  floral.description = "Floral Arrangement";
  floral.blipIndex = 1;
  floral.anchor = kFloralAnchor;
  floral.shapeId = engine::FirstShapeId(1) + 1;
  book.sheets.at(0).pictures.push_back(std::move(floral));
}

}  // namespace quillora::templates
