#include "spreadsheet/render/PicturePainter.h"

#include <QImage>
#include <QPaintEngine>
#include <cmath>

#include "spreadsheet/render/PictureCache.h"

namespace quillora::render {
namespace {

int Across(int left, int size, int offset, int unit) {
  return left + static_cast<int>(static_cast<long long>(size) * std::clamp(offset, 0, unit) / unit);
}

}  // namespace

QRect AnchorRect(const engine::Anchor& anchor, const SheetGeometry& geometry) {
  const int x1 = Across(geometry.ColumnLeft(anchor.col1), geometry.ColumnWidth(anchor.col1), anchor.dx1, 1024);
  const int y1 = Across(geometry.RowTop(anchor.row1), geometry.RowHeight(anchor.row1), anchor.dy1, 256);
  const int x2 = Across(geometry.ColumnLeft(anchor.col2), geometry.ColumnWidth(anchor.col2), anchor.dx2, 1024);
  const int y2 = Across(geometry.RowTop(anchor.row2), geometry.RowHeight(anchor.row2), anchor.dy2, 256);
  return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

void PaintPictures(QPainter& painter, const engine::Sheet& sheet, const SheetGeometry& geometry,
                   PictureCache& pictures) {
  const QRect visible(0, 0, geometry.Width(), geometry.Height());
  // A picture drawn smaller on a raster device at whole-pixel offsets is drawn from a copy
  // scaled once per size, so many shapes showing one large picture cost one scaling; other
  // devices (a PDF) take the decoded picture itself, stored once however often it shows.
  const QTransform transform = painter.deviceTransform();
  const bool raster = painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster &&
                      transform.type() <= QTransform::TxTranslate && transform.dx() == std::floor(transform.dx()) &&
                      transform.dy() == std::floor(transform.dy());
  for (const engine::SheetPicture& picture : sheet.pictures) {
    const QRect target = AnchorRect(picture.anchor, geometry);
    if (target.isEmpty() || !target.intersects(visible)) continue;
    const QImage& image = pictures.Decoded(picture.blipIndex);
    if (image.isNull()) {
      painter.fillRect(target, QColor(0xC0, 0xC0, 0xC0));
      painter.setPen(QColor(0x40, 0x40, 0x40));
      painter.drawRect(target.adjusted(0, 0, -1, -1));
      continue;
    }
    const bool smaller = static_cast<qint64>(target.width()) * target.height() <=
                         static_cast<qint64>(image.width()) * image.height();
    const QImage* scaled = raster && smaller && target.size() != image.size()
                               ? pictures.Scaled(picture.blipIndex, target.size())
                               : nullptr;
    if (target.size() == image.size()) {
      painter.drawImage(target.topLeft(), image);
    } else if (scaled != nullptr) {
      painter.drawImage(target.topLeft(), *scaled);
    } else {
      painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
      painter.drawImage(target, image);
      painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
  }
}

}  // namespace quillora::render
