#pragma once
// The spreadsheet instances the generation run drives: how one is started, the program-wide
// `ExcelApp` and `ExcelWorkbook`, and the helpers around them.
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <cstdint>

#include "spreadsheet/automation/Automation.h"
#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora {

using engine::automation::Application;

// Starts a new, hidden spreadsheet instance; throws when none can be started.
using SpreadsheetStarter = std::function<Application()>;

// The embedded engine reading typed input under `locale`, whose CopyPicture draws the range
// and puts the picture on the application clipboard.
SpreadsheetStarter EmbeddedSpreadsheet(engine::NumberLocale locale);

class ExcelSession;

// What the start-up check asks of the engine: an instance starts, reads the embedded template
// back from `templateBytes` and quits. Throws when any of that fails.
void CheckSpreadsheetStarts(const ExcelSession& session, std::vector<std::uint8_t> templateBytes);

class ExcelSession {
 public:
  explicit ExcelSession(SpreadsheetStarter starter) : starter_(std::move(starter)) {}

  // A new instance, as creating the application object starts one; throws when none starts.
  Application NewInstance() const;

  // ExcelApp = a new instance.
  void StartExcelApp();
  // ExcelApp = nothing (the caller has already told the instance to quit).
  void ReleaseExcelApp() { ExcelApp.reset(); }
  // A new instance with the workbook at `path` opened in it; the workbook is its last one.
  Application OpenWorkbookInNewInstance(const std::string& path) const;
  // -4143 below version 12, else 56; with no instance given, a new one is started for the
  // question and quit again.
  int GetWorkbookFileFormat(const Application* instance) const;

  // The references, or a failure naming what is missing because an earlier step failed.
  Application& app();
  engine::automation::Workbook& workbook();

  std::optional<Application> ExcelApp;
  std::optional<engine::automation::Workbook> ExcelWorkbook;

  void setStarter(SpreadsheetStarter starter) { starter_ = std::move(starter); }

 private:
  SpreadsheetStarter starter_;
};

}  // namespace quillora
