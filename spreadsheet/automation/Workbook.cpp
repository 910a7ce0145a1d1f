// Workbook: sheets, SaveAs and Close.
#include <algorithm>

#include "spreadsheet/automation/AutomationState.h"
#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"

namespace quillora::engine::automation {

Worksheet Workbook::ActiveSheet() const {
  BookState& book = LiveBook(book_, "get the active sheet");
  const std::vector<int> worksheets = WorksheetIndexes(book.model);
  const int active = book.model.window.activeSheet;
  if (std::find(worksheets.begin(), worksheets.end(), active) != worksheets.end()) return Worksheet(book_, active);
  if (worksheets.empty()) throw AutomationError("Cannot get the active sheet of " + book.path + ": it has no worksheet");
  return Worksheet(book_, worksheets.front());
}

Worksheet Workbook::Worksheets(int number) const {
  const std::string action = "get worksheet " + std::to_string(number);
  BookState& book = LiveBook(book_, action);
  const std::vector<int> worksheets = WorksheetIndexes(book.model);
  if (number < 1 || number > static_cast<int>(worksheets.size()))
    throw AutomationError("Cannot " + action + " of " + book.path + ": it has " + std::to_string(worksheets.size()) +
                          " worksheet(s)");
  return Worksheet(book_, worksheets[static_cast<std::size_t>(number - 1)]);
}

void Workbook::SaveAs(const std::string& path, int fileFormat) const {
  const std::string action = "save " + (path.empty() ? std::string("the workbook") : path);
  BookState& book = LiveBook(book_, action);
  if (fileFormat != kWorkbookNormal && fileFormat != kExcel8)
    throw AutomationError("Cannot " + action + ": file format " + std::to_string(fileFormat) +
                          " is not supported (use -4143 or 56, the Excel 97-2003 workbook format)");
  RecalculateWorkbook(book.model);
  const bool wasTemplate = book.model.isTemplate;
  book.model.isTemplate = false;  // saved as a workbook, not a template
  try {
    base::ReplaceFile(path, WriteWorkbook(book.model));
  } catch (const base::FileError& e) {
    book.model.isTemplate = wasTemplate;
    throw AutomationError(std::string("Cannot save ") + e.what());
  } catch (const Error& e) {
    book.model.isTemplate = wasTemplate;
    throw AutomationError("Cannot " + action + ": " + e.what());
  }
  book.path = path;
}

void Workbook::Close() const {
  BookState& book = LiveBook(book_, "close the workbook");
  book.closed = true;
  const std::shared_ptr<ApplicationState> app = book.app.lock();
  std::erase(app->books, book_);
  if (app->active == book_) app->active = app->books.empty() ? nullptr : app->books.back();
}

std::string Workbook::FullName() const { return LiveBook(book_, "read the workbook's name").path; }
const engine::Workbook& Workbook::Model() const { return LiveBook(book_, "read the workbook").model; }
engine::Workbook& Workbook::Model() { return LiveBook(book_, "change the workbook").model; }

}  // namespace quillora::engine::automation
