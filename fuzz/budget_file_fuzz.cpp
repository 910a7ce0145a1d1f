// A saved budget (a budget workbook or an amounts file) reads as 142 amounts within the limit
// or is refused with BudgetFileError; nothing else escapes. The first byte picks the file name,
// so both readers and the name rule are reached.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "workbook/core/BudgetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto locale = quillora::engine::UnitedStatesConventions();
  const char* name = data[0] % 2 == 0 ? "budget.xls" : "budget.csv";
  try {
    const quillora::BudgetAmounts amounts = quillora::ReadBudget(std::span(data + 1, size - 1), name, locale);
    // Every amount formats as currency: none reaches the limit.
    (void)quillora::AcceptedTexts(amounts, locale);
  } catch (const quillora::BudgetFileError&) {
  }
  return 0;
}
