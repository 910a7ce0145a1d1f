#include "workbook/ExcelSession.h"

#include <stdexcept>

#include "workbook/SheetCapture.h"
#include "workbook/core/FileFormat.h"

namespace quillora {

SpreadsheetStarter EmbeddedSpreadsheet(engine::NumberLocale locale) {
  return [locale] {
    Application application(locale);
    application.SetCopyPictureHook([locale](const engine::Workbook& workbook, int sheet, const engine::CellRange& range) {
      CopyRangePictureToClipboard(workbook, sheet, range, locale);
    });
    return application;
  };
}

void CheckSpreadsheetStarts(const ExcelSession& session, std::vector<std::uint8_t> templateBytes) {
  Application instance = session.NewInstance();
  instance.Workbooks().Open("template.xlt", std::move(templateBytes));
  instance.Quit();
}

Application ExcelSession::NewInstance() const {
  if (!starter_) throw std::runtime_error("No spreadsheet engine is configured");
  return starter_();
}

void ExcelSession::StartExcelApp() { ExcelApp = NewInstance(); }

Application ExcelSession::OpenWorkbookInNewInstance(const std::string& path) const {
  Application instance = NewInstance();
  instance.Workbooks().Open(path);
  return instance;
}

int ExcelSession::GetWorkbookFileFormat(const Application* instance) const {
  if (instance != nullptr) return FileFormatForVersion(instance->Version(), instance->Locale());
  Application asked = NewInstance();
  const std::string version = asked.Version();
  const engine::NumberLocale locale = asked.Locale();
  asked.Quit();
  return FileFormatForVersion(version, locale);
}

Application& ExcelSession::app() {
  if (!ExcelApp) throw std::runtime_error("Object variable not set: no spreadsheet instance is running");
  return *ExcelApp;
}

engine::automation::Workbook& ExcelSession::workbook() {
  if (!ExcelWorkbook) throw std::runtime_error("Object variable not set: the template workbook is not open");
  return *ExcelWorkbook;
}

}  // namespace quillora
