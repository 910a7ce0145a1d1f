#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "budget/core/Budget.h"
#include "budget/core/BudgetTexts.h"
#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora {

// A budget's 142 amounts in whole cents, addressed like the entry window's fields: what a
// saved budget or an amounts file holds once each amount is rounded as the window rounds it.
class BudgetAmounts {
 public:
  // Every amount 0.
  BudgetAmounts();

  std::int64_t& operator[](FieldAddress field);
  std::int64_t operator[](FieldAddress field) const;
  friend bool operator==(const BudgetAmounts&, const BudgetAmounts&) = default;

 private:
  std::array<std::vector<std::int64_t>, kCategoryCount> cents_;
};

// `value` in whole cents, rounded as the currency formatter rounds (halves away from zero);
// nothing for a value that is not finite or whose rounded magnitude reaches the amount limit.
std::optional<std::int64_t> SignedCents(double value);

// The texts the entry window holds once it has accepted each amount: currency text with two
// decimals under `locale`.
BudgetTexts AcceptedTexts(const BudgetAmounts& amounts, const engine::NumberLocale& locale);

// An amount as a person would type it for an amounts file: an optional "-", the digits without
// grouping, the locale's decimal separator and two decimals ("-1234.50", "1234,50"). The amount
// parser reads it back to the same cents under the same locale.
std::string PlainAmountText(std::int64_t cents, const engine::NumberLocale& locale);

}  // namespace quillora
