#include "app/HandCursor.h"

#include <QImage>
#include <QPixmap>
#include <cstdlib>
#include <stdexcept>

#include "app/core/CursorFile.h"
#include "spreadsheet/base/ReadFile.h"

namespace quillora {

QCursor LoadCursorFile(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = base::ReadWholeFile(path, base::kMaxTextFileBytes);
  std::vector<CursorImage> images;
  try {
    images = ReadCursorFile(bytes);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(path.string() + ": " + e.what());
  }
  const CursorImage* best = &images.front();
  for (const CursorImage& image : images)
    if (std::abs(image.width - 32) < std::abs(best->width - 32)) best = &image;

  QImage picture;
  if (!best->png.empty()) {
    picture = QImage::fromData(best->png.data(), static_cast<int>(best->png.size()), "PNG");
    if (picture.isNull()) throw std::runtime_error(path.string() + ": unreadable PNG cursor image");
  } else {
    picture = QImage(best->width, best->height, QImage::Format_ARGB32);
    for (int y = 0; y < best->height; ++y)
      std::copy_n(best->argb.data() + static_cast<std::size_t>(y) * best->width, best->width,
                  reinterpret_cast<std::uint32_t*>(picture.scanLine(y)));
  }
  return QCursor(QPixmap::fromImage(picture), best->hotspotX, best->hotspotY);
}

}  // namespace quillora
