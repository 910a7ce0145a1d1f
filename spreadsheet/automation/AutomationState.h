#pragma once
// Shared state behind the automation handles, and the checks every call makes first.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/automation/Automation.h"

namespace quillora::engine::automation {

struct ApplicationState {
  NumberLocale locale;
  bool visible = false;
  bool displayAlerts = true;
  bool quit = false;
  CopyPictureHook copyPicture;
  std::vector<std::shared_ptr<BookState>> books;  // open workbooks, in order of opening
  std::shared_ptr<BookState> active;
};

struct BookState {
  std::weak_ptr<ApplicationState> app;  // weak: the application owns its books
  engine::Workbook model;
  std::string path;
  bool closed = false;
};

// The application, or AutomationError "Cannot <action>: the application has quit".
ApplicationState& LiveApplication(const std::shared_ptr<ApplicationState>& app, std::string_view action);
// The open workbook and its application, or AutomationError naming the action and the reason.
BookState& LiveBook(const std::shared_ptr<BookState>& book, std::string_view action);

// Zero-based sheet numbers of the workbook's worksheets (charts and modules left out).
std::vector<int> WorksheetIndexes(const engine::Workbook& model);

// A cell or rectangle from A1 text; AutomationError for anything else.
CellRange ParseRangeAddress(std::string_view a1);

}  // namespace quillora::engine::automation
