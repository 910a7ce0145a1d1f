#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "spreadsheet/numbers/NumberLocale.h"
#include "workbook/core/BudgetAmounts.h"
#include "workbook/core/BudgetWorkbook.h"

namespace quillora {

// A budget from the bytes of a file named `name`: a budget workbook (a compound or zip file,
// or a name ending in .xls or .xlt) or else an amounts file. Every failure is a
// BudgetFileError whose message starts with `name` and says why:
//   budget.xls is not a Quillora budget: A9 holds "Name", expected "Engagement ring"
//   budget.xls: B12 holds "abc", which is not an amount
//   budget.xls cannot be read: <the engine's reason>
//   amounts.csv, line 12: invalid estimated amount "12,34,5"
BudgetAmounts ReadBudget(std::span<const std::uint8_t> bytes, std::string_view name,
                         const engine::NumberLocale& locale);

// ReadBudget on the file at `path`, named by `name` in messages. A file that cannot be read
// throws std::runtime_error with the path and the system's reason.
BudgetAmounts ReadBudgetFile(const std::filesystem::path& path, std::string_view name,
                             const engine::NumberLocale& locale);

}  // namespace quillora
