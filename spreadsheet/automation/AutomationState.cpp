// Liveness checks and addresses shared by the automation objects.
#include "spreadsheet/automation/AutomationState.h"

#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/model/Dump.h"

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

std::string RangeText(const CellRange& range) {
  std::string text = CellName({range.rowFirst, range.columnFirst});
  if (range.rowLast != range.rowFirst || range.columnLast != range.columnFirst)
    text += ":" + CellName({range.rowLast, range.columnLast});
  return text;
}

CellRange ParseRangeAddress(std::string_view a1) {
  // The formula compiler reads references; an address is a formula of one reference.
  const auto refuse = [&] {
    return AutomationError("Cannot use range \"" + std::string(a1) + "\": not a cell address such as B9 or A1:C10");
  };
  if (a1.empty() || a1.front() == '=') throw refuse();
  std::vector<FormulaToken> tokens;
  try {
    tokens = DecodeFormula(CompileFormula(a1));
  } catch (const FormulaError&) {
    throw refuse();
  }
  if (tokens.size() != 1 || tokens[0].sheetRef) throw refuse();
  const FormulaToken& token = tokens[0];
  if (token.kind == FormulaToken::Kind::Ref)
    return CellRange{token.first.row, token.first.row, token.first.column, token.first.column};
  if (token.kind == FormulaToken::Kind::Area)
    return CellRange{token.first.row, token.last.row, token.first.column, token.last.column};
  throw refuse();
}

}  // namespace quillora::engine::automation
