#include "workbook/core/BudgetAmounts.h"

#include <stdexcept>

#include "spreadsheet/numbers/Amount.h"

namespace quillora {

BudgetAmounts::BudgetAmounts() {
  for (const BudgetCategory& category : BudgetCategories())
    cents_[static_cast<std::size_t>(category.position)].assign(static_cast<std::size_t>(category.fieldCount()), 0);
}

std::int64_t& BudgetAmounts::operator[](FieldAddress field) {
  if (field.category < 0 || field.category >= kCategoryCount || field.index < 0 ||
      field.index >= static_cast<int>(cents_[static_cast<std::size_t>(field.category)].size()))
    throw std::out_of_range("No amount field " + std::to_string(field.index) + " in category " +
                            std::to_string(field.category));
  return cents_[static_cast<std::size_t>(field.category)][static_cast<std::size_t>(field.index)];
}

std::int64_t BudgetAmounts::operator[](FieldAddress field) const {
  return const_cast<BudgetAmounts&>(*this)[field];
}

std::optional<std::int64_t> SignedCents(double value) {
  const std::optional<std::int64_t> magnitude = engine::RoundToCents(value);
  if (!magnitude) return std::nullopt;
  return value < 0 ? -*magnitude : *magnitude;
}

BudgetTexts AcceptedTexts(const BudgetAmounts& amounts, const engine::NumberLocale& locale) {
  BudgetTexts texts;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) {
      const FieldAddress field{category.position, index};
      // The nearest double to a whole number of cents rounds back to those cents.
      texts[field] = engine::FormatCurrency(static_cast<double>(amounts[field]) / 100.0, locale);
    }
  return texts;
}

std::string PlainAmountText(std::int64_t cents, const engine::NumberLocale& locale) {
  const std::uint64_t magnitude = cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  const std::string hundredths = std::to_string(magnitude % 100);
  return (cents < 0 ? "-" : "") + std::to_string(magnitude / 100) + locale.decimalSeparator +
         (hundredths.size() < 2 ? "0" : "") + hundredths;
}

}  // namespace quillora
