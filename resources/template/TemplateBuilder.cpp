#include "resources/template/TemplateBuilder.h"

#include <string>

#include "resources/template/TemplateLayout.h"
#include "resources/template/TemplateSettings.h"
#include "resources/template/TemplateStyles.h"
#include "spreadsheet/formula/Formula.h"

namespace quillora::templates {
namespace {

using engine::Cell;
using engine::CellAddress;

constexpr int kA = 0, kB = 1, kC = 2;
constexpr int kAmountColumns[] = {kB, kC};

// Column widths in 1/256 of the standard font's digit width.
constexpr std::uint16_t kLabelColumnWidth = 9142;
constexpr std::uint16_t kAmountColumnWidth = 5485;

// Window options: headings and zeros shown, gridlines hidden, no frozen panes.
constexpr std::uint16_t kWindowOptions = engine::kWindowHeadings | engine::kWindowZeros |
                                         engine::kWindowDefaultGridColor | engine::kWindowOutline |
                                         engine::kWindowSelected | engine::kWindowActive;

// Places cells and row settings on one sheet, with rows counted from 1 as the sheet shows them.
class SheetBuilder {
 public:
  SheetBuilder(engine::Sheet& sheet, StyleTable& styles) : sheet_(sheet), styles_(styles) {}

  void Put(int row, int column, const Style& style, engine::Value value = {}) {
    Cell& cell = sheet_.cells[CellAddress{row - 1, column}];
    cell.xf = styles_.Xf(style);
    cell.value = std::move(value);
  }

  // A formula cell; its cached result is 0, what every total shows while the inputs are empty.
  void PutFormula(int row, int column, const Style& style, const std::string& text) {
    Put(row, column, style, 0.0);
    engine::Formula formula;
    formula.tokens = engine::CompileFormula(text);
    sheet_.cells[CellAddress{row - 1, column}].formula = std::move(formula);
  }

  // Same style across A:C; text (if any) in A.
  void PutRow(int row, const Style& style, engine::Value text = {}) {
    Put(row, kA, style, std::move(text));
    for (int column : kAmountColumns) Put(row, column, style);
  }

  void Height(int row, int twips, bool hidden = false) {
    engine::RowInfo& info = sheet_.rows[row - 1];
    info.height = static_cast<std::uint16_t>(twips);
    info.customHeight = true;
    info.hidden = hidden;
  }

 private:
  engine::Sheet& sheet_;
  StyleTable& styles_;
};

std::string Column(int column) { return std::string(1, static_cast<char>('A' + column)); }

std::string SumOfRows(int column, int first, int last) {
  return "SUM(" + Column(column) + std::to_string(first) + ":" + Column(column) + std::to_string(last) + ")";
}

std::string SumOfTotals(int column) {
  std::string text = "SUM(";
  for (const Section& section : Sections()) {
    if (text.back() != '(') text += ',';
    text += Column(column) + std::to_string(section.totalRow);
  }
  return text + ")";
}

void BuildTitleRows(SheetBuilder& sheet) {
  sheet.PutRow(1, TitleBand(), std::string("Wedding Budget"));
  sheet.Put(3, kB, GrandTotalHeading(), std::string("Estimated"));
  sheet.Put(3, kC, GrandTotalHeading(), std::string("Actual"));
  sheet.Put(4, kA, GrandTotalLabel(), std::string("Total Expenses"));
  for (int column : kAmountColumns) sheet.PutFormula(4, column, GrandTotal(), SumOfTotals(column));
  sheet.Put(5, kA, EmptyGrandTotalLabel());
  for (int column : kAmountColumns) sheet.Put(5, column, EmptyGrandTotalAmount());
}

void BuildGapRow(SheetBuilder& sheet, const Section& section) {
  const int row = section.totalRow + 1;
  if (section.layout.gapHeight != 0) sheet.Height(row, section.layout.gapHeight);
  switch (section.layout.gap) {
    case GapFormat::None:
      break;
    case GapFormat::Emphasis:
      sheet.Put(row, kA, GapLabel());
      for (int column : kAmountColumns) sheet.Put(row, column, GapAmount());
      break;
    case GapFormat::Bold:
      for (int column : kAmountColumns) sheet.Put(row, column, GapAmountPlain());
      break;
  }
}

void BuildSection(SheetBuilder& sheet, const Section& section) {
  const SectionLayout& layout = section.layout;
  // The first heading row sits right under the grand totals and carries no rule.
  const bool headingRule = section.headingRow != Sections().front().headingRow;
  sheet.Put(section.headingRow, kA, SectionHeadingRule(headingRule));
  sheet.Put(section.headingRow, kB, SectionHeading(layout.headingIndent, headingRule), std::string("Estimated"));
  sheet.Put(section.headingRow, kC, SectionHeading(layout.headingIndent, headingRule), std::string("Actual"));

  // The first title row also closes the heading above the first items with a grey rule.
  sheet.PutRow(section.titleRow, SectionTitle(section.titleRow == Sections().front().titleRow), section.caption);

  for (int row = section.firstItemRow; row <= section.lastItemRow; ++row) {
    const bool first = row == section.firstItemRow;
    const bool last = row == section.lastItemRow;
    sheet.Put(row, kA, ItemLabel(first), section.labels.at(static_cast<std::size_t>(row - section.firstItemRow)));
    for (int column : kAmountColumns) sheet.Put(row, column, InputCell(layout.inputIndent, first, last));
  }

  sheet.Put(section.totalRow, kA, TotalLabel(), std::string(layout.totalLabel));
  for (int column : kAmountColumns)
    sheet.PutFormula(section.totalRow, column, SectionTotal(layout.totalIndent),
                     SumOfRows(column, section.firstItemRow, section.lastItemRow));

  for (int row = section.headingRow; row <= section.lastItemRow; ++row) sheet.Height(row, kHeadingHeight);
  sheet.Height(section.totalRow, kTotalHeight);
  BuildGapRow(sheet, section);
}

engine::Sheet BuildSheet(StyleTable& styles) {
  engine::Sheet sheet;
  sheet.name = std::string(kSheetName);
  sheet.window.options = kWindowOptions;
  ApplySheetSettings(sheet);
  engine::ColumnInfo label;
  label.first = label.last = kA;
  label.width = kLabelColumnWidth;
  engine::ColumnInfo amounts;
  amounts.first = kB;
  amounts.last = kC;
  amounts.width = kAmountColumnWidth;
  sheet.columns = {label, amounts};
  sheet.merges.push_back(engine::CellRange::FromCorners({0, kA}, {0, kC}));

  SheetBuilder builder(sheet, styles);
  BuildTitleRows(builder);
  for (const Section& section : Sections()) BuildSection(builder, section);
  for (const RowHeight& height : FixedRowHeights()) builder.Height(height.row, height.twips, height.hidden);
  return sheet;
}

}  // namespace

engine::Workbook BuildTemplate(std::span<const std::uint8_t> floralJpeg) {
  engine::Workbook book = engine::NewWorkbook();
  ApplyTemplatePalette(book.palette);
  StyleTable styles(book);
  book.sheets.push_back(BuildSheet(styles));
  ApplyBookSettings(book, floralJpeg);
  return book;
}

}  // namespace quillora::templates
