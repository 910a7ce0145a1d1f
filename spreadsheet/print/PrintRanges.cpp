#include "spreadsheet/print/PrintRanges.h"

#include <algorithm>

#include "spreadsheet/formula/FormulaTokens.h"
#include "spreadsheet/print/PrintSettings.h"

namespace quillora::engine::print {
namespace {

constexpr std::uint16_t kHorizontalPageBreaks = 0x001B;
constexpr std::uint16_t kVerticalPageBreaks = 0x001A;

const DefinedName* BuiltInName(const Workbook& workbook, std::size_t sheetIndex, BuiltInName code) {
  for (const DefinedName& name : workbook.names)
    if (name.builtIn && name.builtInCode == static_cast<std::uint8_t>(code) && name.sheet == sheetIndex + 1)
      return &name;
  return nullptr;
}

// The rectangles a name's formula lists: references and areas joined by unions, each on
// the sheet the name belongs to.
std::vector<CellRange> NameRanges(const Workbook& workbook, std::size_t sheetIndex, const DefinedName& name) {
  const std::string what = name.DisplayName();
  std::vector<FormulaToken> tokens;
  try {
    tokens = DecodeFormula(name.formula);
  } catch (const FormulaError& error) {
    throw PrintSetupError(what + " cannot be read: " + error.what());
  }
  std::vector<CellRange> ranges;
  for (const FormulaToken& token : tokens) {
    if (token.kind == FormulaToken::Kind::Binary && token.op == ptg::kUnion) continue;
    if (token.kind == FormulaToken::Kind::Paren) continue;
    if (token.kind == FormulaToken::Kind::Error && token.deletedRef)
      throw PrintSetupError(what + " refers to deleted cells (#REF!)");
    if (token.kind != FormulaToken::Kind::Ref && token.kind != FormulaToken::Kind::Area)
      throw PrintSetupError(what + " is not a list of cell ranges");
    if (token.sheetRef) {
      const bool ours = token.externSheet < workbook.externSheets.size() &&
                        workbook.externSheets[token.externSheet].firstSheet == static_cast<int>(sheetIndex) &&
                        workbook.externSheets[token.externSheet].lastSheet == static_cast<int>(sheetIndex);
      if (!ours) throw PrintSetupError(what + " refers to another sheet");
    }
    const RefCorner& last = token.kind == FormulaToken::Kind::Area ? token.last : token.first;
    ranges.push_back(CellRange::FromCorners({token.first.row, token.first.column}, {last.row, last.column}));
  }
  if (ranges.empty()) throw PrintSetupError(what + " names no cells");
  return ranges;
}

std::uint16_t Read16(const std::vector<std::uint8_t>& data, std::size_t at) {
  return static_cast<std::uint16_t>(data[at] | data[at + 1] << 8);
}

// The breaks of one record: a count, then per break the first row (column) after it and
// the span it covers.
void ReadBreaks(const KeptRecord& record, int limit, std::vector<int>& breaks) {
  const auto& data = record.data;
  if (data.size() < 2) throw PrintSetupError("a page break record is damaged");
  const std::size_t count = Read16(data, 0);
  if (data.size() < 2 + count * 6) throw PrintSetupError("a page break record is damaged");
  for (std::size_t i = 0; i < count; ++i) {
    const int at = Read16(data, 2 + i * 6);
    if (at > 0 && at <= limit) breaks.push_back(at);
  }
}

void SortUnique(std::vector<int>& values) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
}

}  // namespace

PrintRanges FindPrintRanges(const Workbook& workbook, std::size_t sheetIndex, const CellRange& used) {
  PrintRanges ranges;
  if (const DefinedName* area = BuiltInName(workbook, sheetIndex, BuiltInName::PrintArea)) {
    // Whole rows or columns print only as far as the sheet holds something.
    for (CellRange range : NameRanges(workbook, sheetIndex, *area)) {
      range.rowLast = std::max(range.rowFirst, std::min(range.rowLast, used.rowLast));
      range.columnLast = std::max(range.columnFirst, std::min(range.columnLast, used.columnLast));
      ranges.areas.push_back(range);
    }
  } else
    ranges.areas.push_back(used);

  if (const DefinedName* titles = BuiltInName(workbook, sheetIndex, BuiltInName::PrintTitles)) {
    // Whole rows repeat at the top, whole columns at the left.
    for (const CellRange& range : NameRanges(workbook, sheetIndex, *titles)) {
      const bool wholeRows = range.columnFirst == 0 && range.columnLast == kLastColumn;
      const bool wholeColumns = range.rowFirst == 0 && range.rowLast == kLastRow;
      if (wholeRows && !ranges.titleRows)
        ranges.titleRows = Span{range.rowFirst, range.rowLast};
      else if (wholeColumns && !ranges.titleColumns)
        ranges.titleColumns = Span{range.columnFirst, range.columnLast};
      else
        throw PrintSetupError("Print_Titles is neither whole rows nor whole columns");
    }
  }

  if (sheetIndex < workbook.sheets.size()) {
    for (const KeptRecord& record : workbook.sheets[sheetIndex].kept) {
      if (record.type == kHorizontalPageBreaks) ReadBreaks(record, kLastRow, ranges.rowBreaks);
      if (record.type == kVerticalPageBreaks) ReadBreaks(record, kLastColumn, ranges.columnBreaks);
    }
  }
  SortUnique(ranges.rowBreaks);
  SortUnique(ranges.columnBreaks);
  return ranges;
}

}  // namespace quillora::engine::print
