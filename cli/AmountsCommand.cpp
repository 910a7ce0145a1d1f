// quillora-cli amounts [--sample]: an amounts file for `generate`, printed on stdout: the
// header and one row per line item, every amount 0 (or the sample amount), ready to edit.
#include <cstdio>
#include <string>

#include "budget/core/Budget.h"
#include "budget/core/SampleData.h"
#include "cli/Commands.h"

namespace quillora::cli {
namespace {

// One CSV field, quoted when it holds a separator, a quote or a blank at its end.
std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && text.back() == ' ');
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (const char c : text) field += c == '"' ? std::string("\"\"") : std::string(1, c);
  return field + "\"";
}

}  // namespace

int RunAmounts(const std::vector<std::string>& args) {
  bool sample = false;
  for (const std::string& arg : args) {
    if (arg != "--sample") throw UsageError{"unknown argument " + arg};
    sample = true;
  }
  std::string csv = "category,item,estimated,actual\n";
  for (const BudgetCategory& category : BudgetCategories()) {
    for (int k = 0; k < category.itemCount(); ++k) {
      const auto amount = [&](int index) { return sample ? SampleAmountText(category.position, index) : "0"; };
      csv += CsvField(category.caption) + "," + CsvField(category.items[static_cast<std::size_t>(k)]) + "," +
             amount(2 * k) + "," + amount(2 * k + 1) + "\n";
    }
  }
  std::fputs(csv.c_str(), stdout);
  return 0;
}

}  // namespace quillora::cli
