#pragma once

#include <QRect>

#include "preview/core/Arithmetic.h"
#include "preview/core/ViewportTypes.h"

namespace quillora::preview {

// Twips to whole pixels (15 twips per pixel), to the nearest, halves to even.
inline int Pixels(double twips) { return static_cast<int>(RoundHalfEven(twips / kTwipsPerPixel)); }

inline QRect PixelRect(double left, double top, double width, double height) {
  return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

inline QRect PixelRect(const Box& box) { return PixelRect(box.left, box.top, box.width, box.height); }

}  // namespace quillora::preview
