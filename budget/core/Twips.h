#pragma once

#include <cmath>

namespace quillora {

// Window layout is designed in twips; 15 twips make one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// The nearest pixel (a whole number of twips is never exactly half a pixel).
inline int TwipsToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

}  // namespace quillora
