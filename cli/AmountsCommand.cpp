// quillora-cli amounts [--sample | --from FILE]: an amounts file for `generate`, printed on
// stdout: the header and one row per line item, every amount 0, the sample amount or the
// amount a saved budget holds, ready to edit.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "budget/core/Budget.h"
#include "budget/core/SampleData.h"
#include "cli/Commands.h"
#include "cli/UserNumberLocale.h"
#include "workbook/core/BudgetFile.h"

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

// The amounts file: the header and one row per line item with the amounts `amount` gives.
std::string AmountsCsv(const std::function<std::string(FieldAddress)>& amount) {
  std::string csv = "category,item,estimated,actual\n";
  for (const BudgetCategory& category : BudgetCategories()) {
    for (int k = 0; k < category.itemCount(); ++k) {
      csv += CsvField(category.caption) + "," + CsvField(category.items[static_cast<std::size_t>(k)]) + "," +
             CsvField(amount({category.position, 2 * k})) + "," + CsvField(amount({category.position, 2 * k + 1})) +
             "\n";
    }
  }
  return csv;
}

}  // namespace

int RunAmounts(const std::vector<std::string>& args) {
  bool sample = false;
  std::optional<std::string> from;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--sample") {
      sample = true;
    } else if (args[i] == "--from") {
      if (i + 1 == args.size()) throw UsageError{"--from needs a value"};
      if (from) throw UsageError{"--from given twice"};
      from = args[++i];
    } else {
      throw UsageError{"unknown argument " + args[i]};
    }
  }
  if (sample && from) throw UsageError{"--sample and --from exclude each other"};

  std::string csv;
  if (from) {
    const engine::NumberLocale locale = UserNumberLocale();
    const BudgetAmounts amounts = ReadBudgetFile(*from, *from, locale);
    csv = AmountsCsv([&](FieldAddress field) { return PlainAmountText(amounts[field], locale); });
  } else {
    csv = AmountsCsv([&](FieldAddress field) {
      return sample ? SampleAmountText(field.category, field.index) : std::string("0");
    });
  }
  std::fputs(csv.c_str(), stdout);
  return 0;
}

}  // namespace quillora::cli
