#include "preview/core/Arithmetic.h"

#include <cmath>
#include <limits>

namespace quillora::preview {

double RoundHalfEven(double x) {
  if (!std::isfinite(x)) return x;
  const double below = std::floor(x);
  const double fraction = x - below;
  if (fraction > 0.5) return below + 1.0;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

namespace {

template <class Int>
Int ClampTo(double x) {
  if (std::isnan(x)) return 0;
  constexpr double lowest = static_cast<double>(std::numeric_limits<Int>::min());
  constexpr double highest = static_cast<double>(std::numeric_limits<Int>::max());
  if (x <= lowest) return std::numeric_limits<Int>::min();
  if (x >= highest) return std::numeric_limits<Int>::max();
  return static_cast<Int>(x);
}

}  // namespace

std::int16_t ClampToInt16(double x) { return ClampTo<std::int16_t>(x); }
std::int32_t ClampToInt32(double x) { return ClampTo<std::int32_t>(x); }
std::int16_t NearestInt16(double x) { return ClampToInt16(RoundHalfEven(x)); }
std::int32_t NearestInt32(double x) { return ClampToInt32(RoundHalfEven(x)); }

}  // namespace quillora::preview
