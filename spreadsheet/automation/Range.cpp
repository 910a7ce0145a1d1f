// Worksheet, Range and the Rows/Columns of a range.
#include <algorithm>

#include "spreadsheet/automation/AutomationState.h"
#include "spreadsheet/automation/Selection.h"
#include "spreadsheet/calc/WorkbookRecalc.h"
#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/edit/CellNumberFormat.h"
#include "spreadsheet/edit/TypedInput.h"
#include "spreadsheet/edit/UsedRange.h"
#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/numfmt/NumberFormat.h"

namespace quillora::engine::automation {
namespace {

std::string Where(const BookState& book, int sheet, const CellRange& range) {
  return RangeText(range) + " of sheet \"" + book.model.sheets[static_cast<std::size_t>(sheet)].name + "\"";
}

}  // namespace

Worksheet::Worksheet(std::shared_ptr<BookState> book, int sheet) : book_(std::move(book)), sheet_(sheet) {}

Range Worksheet::Cells(int row, int column) const {
  const std::string action = "get cell (" + std::to_string(row) + ", " + std::to_string(column) + ")";
  const BookState& book = LiveBook(book_, action);
  if (row < 1 || row > kRowCount || column < 1 || column > kColumnCount)
    throw AutomationError("Cannot " + action + " of sheet \"" + book.model.sheets[static_cast<std::size_t>(sheet_)].name +
                          "\": rows are 1 to 65536 and columns 1 to 256");
  return automation::Range(book_, sheet_, CellRange::Single({row - 1, column - 1}));
}

Range Worksheet::Range(std::string_view a1) const {
  LiveBook(book_, "get range \"" + std::string(a1) + "\"");
  return automation::Range(book_, sheet_, ParseRangeAddress(a1));
}

Range Worksheet::UsedRange() const {
  const BookState& book = LiveBook(book_, "get the used range");
  return automation::Range(book_, sheet_, SheetUsedRange(book.model.sheets[static_cast<std::size_t>(sheet_)]));
}

std::string Worksheet::Name() const {
  return LiveBook(book_, "read the sheet's name").model.sheets[static_cast<std::size_t>(sheet_)].name;
}

Range::Range(std::shared_ptr<BookState> book, int sheet, CellRange range)
    : book_(std::move(book)), sheet_(sheet), range_(range) {}

RangeLines Range::Rows() const {
  LiveBook(book_, "get the rows of " + RangeText(range_));
  return RangeLines(book_, sheet_, range_, true);
}

RangeLines Range::Columns() const {
  LiveBook(book_, "get the columns of " + RangeText(range_));
  return RangeLines(book_, sheet_, range_, false);
}

int Range::Row() const {
  LiveBook(book_, "read the row of " + RangeText(range_));
  return range_.rowFirst + 1;
}

int Range::Column() const {
  LiveBook(book_, "read the column of " + RangeText(range_));
  return range_.columnFirst + 1;
}

Value Range::GetValue() const {
  const BookState& book = LiveBook(book_, "read " + RangeText(range_));
  const auto& cells = book.model.sheets[static_cast<std::size_t>(sheet_)].cells;
  const auto it = cells.find({range_.rowFirst, range_.columnFirst});
  return it == cells.end() ? Value{} : it->second.value;
}

void Range::SetValue(std::string_view text) const {
  BookState& book = LiveBook(book_, "set " + RangeText(range_));
  const NumberLocale& locale = book.app.lock()->locale;
  // Only a formula needs the workbook's sheet references.
  std::optional<WorkbookReferences> references;
  if (!text.empty() && text.front() == '=') references.emplace(book.model);
  const ReferenceResolver& resolver = references ? *references : NoReferences();
  try {
    for (int row = range_.rowFirst; row <= range_.rowLast; ++row)
      for (int column = range_.columnFirst; column <= range_.columnLast; ++column)
        SetCellFromText(book.model, sheet_, {row, column}, text, locale, resolver);
  } catch (const Error& e) {
    throw AutomationError("Cannot set " + Where(book, sheet_, range_) + ": " + e.what());
  }
}

std::string Range::NumberFormat() const {
  const BookState& book = LiveBook(book_, "read the number format of " + RangeText(range_));
  return CellNumberFormatCode(book.model, book.model.sheets[static_cast<std::size_t>(sheet_)],
                              {range_.rowFirst, range_.columnFirst});
}

void Range::SetNumberFormat(std::string_view code) const {
  BookState& book = LiveBook(book_, "set the number format of " + RangeText(range_));
  try {
    engine::NumberFormat{code};  // a code that does not parse is refused before any cell changes
    Sheet& sheet = book.model.sheets[static_cast<std::size_t>(sheet_)];
    for (int row = range_.rowFirst; row <= range_.rowLast; ++row)
      for (int column = range_.columnFirst; column <= range_.columnLast; ++column)
        SetCellNumberFormat(book.model, sheet, {row, column}, code);
  } catch (const Error& e) {
    throw AutomationError("Cannot set the number format of " + Where(book, sheet_, range_) + " to \"" +
                          std::string(code) + "\": " + e.what());
  }
}

void Range::Select() const {
  BookState& book = LiveBook(book_, "select " + RangeText(range_));
  StoreSelection(book.model.sheets[static_cast<std::size_t>(sheet_)], range_);
  ActivateSheet(book.model, sheet_);
}

void Range::CopyPicture() const {
  BookState& book = LiveBook(book_, "copy a picture of " + RangeText(range_));
  const CopyPictureHook& hook = book.app.lock()->copyPicture;
  if (!hook) throw AutomationError("Cannot copy a picture of " + Where(book, sheet_, range_) + ": no renderer is set up");
  hook(book.model, sheet_, range_);
}

RangeLines::RangeLines(std::shared_ptr<BookState> book, int sheet, CellRange range, bool rows)
    : book_(std::move(book)), sheet_(sheet), range_(range), rows_(rows) {}

int RangeLines::count() const {
  LiveBook(book_, "count the lines of " + RangeText(range_));
  return rows_ ? range_.rowLast - range_.rowFirst + 1 : range_.columnLast - range_.columnFirst + 1;
}

Range RangeLines::Item(int number) const {
  const int total = count();
  if (number < 1 || number > total)
    throw AutomationError("Cannot get " + std::string(rows_ ? "row " : "column ") + std::to_string(number) + " of " +
                          RangeText(range_) + ": it has " + std::to_string(total));
  CellRange line = range_;
  if (rows_) {
    line.rowFirst = line.rowLast = range_.rowFirst + number - 1;
  } else {
    line.columnFirst = line.columnLast = range_.columnFirst + number - 1;
  }
  return automation::Range(book_, sheet_, line);
}

}  // namespace quillora::engine::automation
