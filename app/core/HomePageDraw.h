#pragma once

#include <cmath>

namespace quillora {

// The draw that decides the occasional home-page visit: r = floor(u * 100) + 1 for a
// uniform u in [0, 1), so r lies in 1..100; the page opens only when r is 7.
inline int HomePageDraw(double u) { return static_cast<int>(std::floor(u * 100.0)) + 1; }
inline constexpr int kHomePageNumber = 7;

}  // namespace quillora
