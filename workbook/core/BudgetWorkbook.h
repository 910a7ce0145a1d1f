#pragma once

#include <stdexcept>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/numbers/NumberLocale.h"
#include "workbook/core/BudgetAmounts.h"

namespace quillora {

// A file that holds no budget Quillora can take back, with the reason.
class BudgetFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A workbook that is not a budget at all: its item labels are not where a budget has them.
class NotABudgetError : public BudgetFileError {
 public:
  using BudgetFileError::BudgetFileError;
};

// The 142 amounts of a budget workbook: the cells the generation run fills (columns B and C
// of each item row of the first worksheet). The workbook counts as a budget when column A of
// every item row holds the item's label (a trailing blank and trailing underscores, as in
// "Other____", may differ); otherwise NotABudgetError names the first cell that does not
// match: `A9 holds "Name", expected "Engagement ring"`, with no file name. An amount cell may
// be blank (0), a number, a formula with a number as its result, or text that the amount
// parser accepts under `locale`; anything else is a BudgetFileError with the cell's address:
// `B12 holds "abc", which is not an amount`.
BudgetAmounts ReadBudgetWorkbook(const engine::Workbook& workbook, const engine::NumberLocale& locale);

}  // namespace quillora
