#pragma once
// The workbook's pictures as one drawing needs them: each stored picture decoded at most
// once however many shapes show it, and copies scaled to the sizes shapes show it at.
#include <QImage>
#include <QSize>
#include <map>
#include <tuple>

#include "spreadsheet/model/Workbook.h"

namespace quillora::render {

class PictureCache {
 public:
  explicit PictureCache(const engine::PictureStore& store) : store_(store) {}

  // The picture of a 1-based store index; a null image when there is no such entry or its
  // bytes are no readable JPEG or PNG picture. Throws std::runtime_error when the picture
  // has more than kMaxPicturePixels pixels, naming its size and the limit.
  const QImage& Decoded(int blipIndex);

  // The picture scaled smoothly to `size`, as drawing it into a rectangle of that size
  // would show it, with transparent pixels where the picture has them; null once the
  // scaled copies kept would exceed kMaxPicturePixels in all (the caller then draws the
  // picture scaled on the fly), so shapes of many sizes cannot pile up copies.
  const QImage* Scaled(int blipIndex, QSize size);

 private:
  const engine::PictureStore& store_;
  std::map<int, QImage> decoded_;
  std::map<std::tuple<int, int, int>, QImage> scaled_;
  std::uint64_t scaledPixels_ = 0;
};

}  // namespace quillora::render
