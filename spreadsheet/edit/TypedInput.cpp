// Typed input: text -> number, formula or text, keeping the cell's format.
#include "spreadsheet/edit/TypedInput.h"

#include <stdexcept>
#include <string>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/base/Unicode.h"
#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/numbers/Amount.h"

namespace quillora::engine {
namespace {

// The format a new cell takes: its row's, else its column's, else the default.
std::uint16_t NewCellFormat(const Sheet& sheet, CellAddress at) {
  const auto row = sheet.rows.find(at.row);
  if (row != sheet.rows.end() && row->second.xf) return *row->second.xf;
  for (const ColumnInfo& column : sheet.columns)
    if (at.column >= column.first && at.column <= column.last) return column.xf;
  return 15;
}

// The cell's new value and formula for `text`.
Cell Interpret(std::string_view text, const NumberLocale& locale, const ReferenceResolver& resolver) {
  Cell cell;
  if (text.empty()) return cell;
  if (const auto amount = ParseAmount(text, locale)) {
    cell.value = *amount;
    return cell;
  }
  if (text.size() > 1 && text.front() == '=') {
    try {
      cell.formula = Formula{CompileFormula(text, resolver), {}, 0, 0, {}};
      return cell;
    } catch (const FormulaError&) {
      // Not a formula this engine can read: the text is kept as typed.
    }
  }
  cell.value = std::string(text);
  return cell;
}

}  // namespace

void SetCellFromText(Workbook& workbook, int sheet, CellAddress at, std::string_view text,
                     const NumberLocale& locale, const ReferenceResolver& resolver) {
  if (sheet < 0 || static_cast<std::size_t>(sheet) >= workbook.sheets.size())
    throw RequestError("There is no sheet " + std::to_string(sheet + 1) + " in the workbook");
  Sheet& target = workbook.sheets[static_cast<std::size_t>(sheet)];
  if (target.opaque) throw RequestError("Sheet \"" + target.name + "\" holds no cells");
  if (!InGrid(at))
    throw RequestError("Cell row " + std::to_string(at.row + 1) + ", column " + std::to_string(at.column + 1) +
                       " is outside the sheet");
  if (!IsUtf8(text)) throw RequestError("The text for " + CellName(at) + " is not valid UTF-8");
  // UTF-16 units never outnumber UTF-8 bytes, so short text needs no conversion to count.
  if (text.size() > kMaxCellTextLength && Utf8ToUtf16(text).size() > kMaxCellTextLength)
    throw RequestError("The text for " + CellName(at) + " is longer than " + std::to_string(kMaxCellTextLength) +
                       " characters");

  const auto existing = target.cells.find(at);
  if (existing != target.cells.end() && existing->second.formula && existing->second.formula->companion)
    throw RequestError("Cell " + CellName(at) + " holds a formula shared with other cells and cannot be changed");

  Cell cell = Interpret(text, locale, resolver);
  if (existing != target.cells.end()) {
    cell.xf = existing->second.xf;
    existing->second = std::move(cell);
  } else if (!text.empty()) {
    cell.xf = NewCellFormat(target, at);
    target.cells.emplace(at, std::move(cell));
  }
}

}  // namespace quillora::engine
