// quillora-cli set FILE OUT CELL=TEXT...: fill cells of the first worksheet as typed input
// under the user's regional settings, recalculate and save a BIFF8 workbook.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "cli/UserNumberLocale.h"
#include "spreadsheet/automation/Automation.h"

namespace quillora::cli {

int RunSet(const std::vector<std::string>& args) {
  // A wrong command line is one line, like every other failure.
  if (args.size() < 3)
    throw std::runtime_error(
        "expected a workbook, an output file and at least one CELL=TEXT (usage: quillora-cli set FILE OUT CELL=TEXT...)");
  // Check every assignment before touching any file.
  std::vector<std::pair<std::string, std::string>> assignments;
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::size_t equals = args[i].find('=');
    if (equals == std::string::npos || equals == 0)
      throw std::runtime_error("\"" + args[i] + "\" is not CELL=TEXT (for example B9=$1,250.00)");
    assignments.emplace_back(args[i].substr(0, equals), args[i].substr(equals + 1));
  }

  engine::automation::Application application(UserNumberLocale());
  application.SetDisplayAlerts(false);
  const engine::automation::Workbook workbook = application.Workbooks().Open(args[0]);
  const engine::automation::Worksheet sheet = workbook.Worksheets(1);
  for (const auto& [cell, text] : assignments) sheet.Range(cell).SetValue(text);
  // SaveAs recalculates and replaces OUT only with a complete file.
  workbook.SaveAs(args[1], engine::automation::kExcel8);
  application.Quit();
  return 0;
}

}  // namespace quillora::cli
