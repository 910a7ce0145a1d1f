#include "budget/core/SampleData.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "budget/core/Budget.h"

namespace quillora {

std::int16_t RoundToInt16(double value) {
  double rounded = std::floor(value);
  const double rest = value - rounded;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
        rounded <= std::numeric_limits<std::int16_t>::max())) {
    throw std::overflow_error("Overflow: " + std::to_string(value) +
                              " does not fit a 16-bit integer");
  }
  return static_cast<std::int16_t>(rounded);
}

std::string SampleAmountText(int category, int index) {
  if (category < 0 || category >= kCategoryCount) {
    throw std::out_of_range("No budget category at position " + std::to_string(category));
  }
  const BudgetCategory& c = BudgetCategories()[static_cast<std::size_t>(category)];
  if (index < 0 || index > c.highestIndex()) {
    throw std::out_of_range("No field " + std::to_string(index) + " in " +
                            std::string(c.fieldArray));
  }
  const double sign = index % 3 == 0 ? -1.0 : 1.0;
  const double value = c.sampleBase + sign * index / 2 * 2.5;
  return std::to_string(RoundToInt16(value));
}

}  // namespace quillora
