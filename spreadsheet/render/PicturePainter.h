#pragma once
// The sheet's pictures, drawn over the cells at their two-cell anchors.
#include <QPainter>
#include <QRect>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/render/PictureCache.h"
#include "spreadsheet/render/SheetGeometry.h"

namespace quillora::render {

// Where an anchor lies in the picture of `geometry`'s range: each corner is a cell plus an
// offset in 1/1024 of that column's width and 1/256 of that row's height.
QRect AnchorRect(const engine::Anchor& anchor, const SheetGeometry& geometry);

// Draws every picture whose stored image is a JPEG or PNG, decoded through `pictures`; one
// that cannot be decoded shows as a grey box with a dark outline, so the gap is visible.
// Throws std::runtime_error for a picture larger than kMaxPicturePixels.
void PaintPictures(QPainter& painter, const engine::Sheet& sheet, const SheetGeometry& geometry,
                   PictureCache& pictures);

}  // namespace quillora::render
