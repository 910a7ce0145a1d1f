// Application and its Workbooks collection.
#include <algorithm>

#include "spreadsheet/automation/AutomationState.h"
#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/biff/WorkbookIO.h"

namespace quillora::engine::automation {

Application::Application(NumberLocale locale) : app_(std::make_shared<ApplicationState>()) {
  app_->locale = std::move(locale);
}

WorkbookCollection Application::Workbooks() const {
  LiveApplication(app_, "use the workbooks");
  return WorkbookCollection(app_);
}

Worksheet Application::Worksheets(int number) const {
  ApplicationState& app = LiveApplication(app_, "get worksheet " + std::to_string(number));
  if (!app.active) throw AutomationError("Cannot get worksheet " + std::to_string(number) + ": no workbook is open");
  return automation::Workbook(app.active).Worksheets(number);
}

Range Application::Range(std::string_view a1) const {
  const std::string action = "get range \"" + std::string(a1) + "\"";
  ApplicationState& app = LiveApplication(app_, action);
  if (!app.active) throw AutomationError("Cannot " + action + ": no workbook is open");
  return automation::Workbook(app.active).ActiveSheet().Range(a1);
}

bool Application::Visible() const { return LiveApplication(app_, "read Visible").visible; }
void Application::SetVisible(bool visible) { LiveApplication(app_, "set Visible").visible = visible; }
bool Application::DisplayAlerts() const { return LiveApplication(app_, "read DisplayAlerts").displayAlerts; }
void Application::SetDisplayAlerts(bool display) { LiveApplication(app_, "set DisplayAlerts").displayAlerts = display; }

std::string Application::Version() const {
  LiveApplication(app_, "read Version");
  return std::string(kEngineVersion);
}

void Application::Quit() {
  ApplicationState& app = LiveApplication(app_, "quit");
  for (const auto& book : app.books) book->closed = true;
  app.books.clear();
  app.active.reset();
  app.copyPicture = nullptr;
  app.quit = true;
}

const NumberLocale& Application::Locale() const { return LiveApplication(app_, "read the locale").locale; }
void Application::SetLocale(NumberLocale locale) { LiveApplication(app_, "set the locale").locale = std::move(locale); }
void Application::SetCopyPictureHook(CopyPictureHook hook) {
  LiveApplication(app_, "set the picture copier").copyPicture = std::move(hook);
}

Workbook WorkbookCollection::Open(const std::string& path) const {
  LiveApplication(app_, "open " + path);
  std::vector<std::uint8_t> bytes;
  try {
    bytes = base::ReadWholeFile(path, base::kMaxWorkbookBytes);
  } catch (const base::FileError& e) {
    throw AutomationError(std::string("Cannot open ") + e.what());
  }
  return Open(path, std::move(bytes));
}

Workbook WorkbookCollection::Open(const std::string& name, std::vector<std::uint8_t> bytes) const {
  ApplicationState& app = LiveApplication(app_, "open " + name);
  auto book = std::make_shared<BookState>();
  try {
    book->model = ReadWorkbook(bytes);
  } catch (const Error& e) {
    throw AutomationError("Cannot open " + name + ": " + e.what());
  }
  if (WorksheetIndexes(book->model).empty()) throw AutomationError("Cannot open " + name + ": it has no worksheet");
  book->app = app_;
  book->path = name;
  app.books.push_back(book);
  app.active = book;
  return automation::Workbook(std::move(book));
}

int WorkbookCollection::count() const {
  return static_cast<int>(LiveApplication(app_, "count the workbooks").books.size());
}

Workbook WorkbookCollection::Item(int number) const {
  const ApplicationState& app = LiveApplication(app_, "get workbook " + std::to_string(number));
  if (number < 1 || number > static_cast<int>(app.books.size()))
    throw AutomationError("Cannot get workbook " + std::to_string(number) + ": " + std::to_string(app.books.size()) +
                          " workbook(s) are open");
  return automation::Workbook(app.books[static_cast<std::size_t>(number - 1)]);
}

}  // namespace quillora::engine::automation
