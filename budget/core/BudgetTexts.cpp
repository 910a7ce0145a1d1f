#include "budget/core/BudgetTexts.h"

#include <stdexcept>

#include "budget/core/SampleData.h"

namespace quillora {

BudgetTexts::BudgetTexts() {
  for (const BudgetCategory& category : BudgetCategories())
    texts_[category.position].assign(category.fieldCount(), "0");
}

std::string& BudgetTexts::operator[](FieldAddress field) {
  if (field.category < 0 || field.category >= kCategoryCount || field.index < 0 ||
      field.index >= static_cast<int>(texts_[field.category].size()))
    throw std::out_of_range("No amount field " + std::to_string(field.index) + " in category " +
                            std::to_string(field.category));
  return texts_[field.category][field.index];
}

const std::string& BudgetTexts::operator[](FieldAddress field) const {
  return const_cast<BudgetTexts&>(*this)[field];
}

BudgetTexts BudgetTexts::Sample() {
  BudgetTexts sample;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index)
      sample[{category.position, index}] = SampleAmountText(category.position, index);
  return sample;
}

}  // namespace quillora
