#pragma once

#include <cstdint>

// The viewport's integer conversions: to-nearest with halves to the even neighbour, and
// narrowing that clamps to the target range instead of wrapping.
namespace quillora::preview {

// The integer nearest to x; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Independent of the floating-point rounding mode.
double RoundHalfEven(double x);

// x clamped to the 16-bit signed range.
std::int16_t ClampToInt16(double x);
// x clamped to the 32-bit signed range; NaN becomes 0.
std::int32_t ClampToInt32(double x);

// RoundHalfEven(x) as a 16-bit (32-bit) integer, clamped.
std::int16_t NearestInt16(double x);
std::int32_t NearestInt32(double x);

}  // namespace quillora::preview
