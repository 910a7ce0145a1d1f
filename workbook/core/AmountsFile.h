#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "budget/core/BudgetTexts.h"
#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora {

// A problem in an amounts file, with the line it is on.
class AmountsFileError : public std::runtime_error {
 public:
  AmountsFileError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Reads a budget from CSV text: UTF-8 (a byte-order mark is allowed), RFC 4180 quoting,
// the header "category,item,estimated,actual", then one row per line item naming its
// category by the entry window's frame caption and the item by its label (a label's
// trailing blank may be left out). Both amounts must be valid under `locale`, as the
// entry window judges them; they are kept as typed. Every item needs exactly one row.
// Throws AmountsFileError naming the line of the first problem.
BudgetTexts ReadAmountsFile(std::string_view csv, const engine::NumberLocale& locale);

}  // namespace quillora
