// Liveness checks and addresses shared by the automation objects.
#include "spreadsheet/automation/AutomationState.h"

#include "spreadsheet/base/A1Text.h"

namespace quillora::engine::automation {

ApplicationState& LiveApplication(const std::shared_ptr<ApplicationState>& app, std::string_view action) {
  if (!app || app->quit) throw AutomationError("Cannot " + std::string(action) + ": the application has quit");
  return *app;
}

BookState& LiveBook(const std::shared_ptr<BookState>& book, std::string_view action) {
  const std::shared_ptr<ApplicationState> app = book->app.lock();
  LiveApplication(app, action);
  if (book->closed)
    throw AutomationError("Cannot " + std::string(action) + ": the workbook " + book->path + " is closed");
  return *book;
}

std::vector<int> WorksheetIndexes(const engine::Workbook& model) {
  std::vector<int> indexes;
  for (std::size_t i = 0; i < model.sheets.size(); ++i)
    if (model.sheets[i].boundType == 0 && !model.sheets[i].opaque) indexes.push_back(static_cast<int>(i));
  return indexes;
}

CellRange ParseRangeAddress(std::string_view a1) {
  const std::optional<CellRange> range = ParseA1Range(a1);
  if (!range)
    throw AutomationError("Cannot use range \"" + std::string(a1) + "\": not a cell address such as B9 or A1:C10");
  return *range;
}

}  // namespace quillora::engine::automation
