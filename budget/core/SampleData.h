#pragma once

#include <cstdint>
#include <string>

namespace quillora {

// Rounds to the nearest integer, halves to the even neighbour, as a 16-bit integer.
// Throws std::overflow_error when the result does not fit.
std::int16_t RoundToInt16(double value);

// The sample amount text of field `index` of the category at `category`: base + 1.25·s·i
// with s = -1 for multiples of 3 and +1 otherwise, rounded, as plain decimal digits.
// Throws std::out_of_range for a category or index outside the budget.
std::string SampleAmountText(int category, int index);

}  // namespace quillora
