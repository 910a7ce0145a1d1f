#include "spreadsheet/render/SheetRenderer.h"

#include <QPainter>
#include <string>
#include <variant>

#include "spreadsheet/render/BorderPainter.h"
#include "spreadsheet/render/CellText.h"
#include "spreadsheet/render/FontBook.h"
#include "spreadsheet/render/MergeIndex.h"
#include "spreadsheet/render/PicturePainter.h"
#include "spreadsheet/render/RenderError.h"
#include "spreadsheet/render/SheetGeometry.h"

namespace quillora::render {
namespace {

using engine::CellAddress;
using engine::CellRange;
using engine::HorizontalAlignment;

// Gridline colour when the sheet keeps the automatic one.
const QColor kGridlineColor(0xD4, 0xD4, 0xD4);
constexpr std::uint16_t kShowGridlines = 0x0002;
constexpr std::uint16_t kDefaultGridColor = 0x0020;

QColor ToColor(engine::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// One drawing: the sheet, its measures and caches.
class RangePainter {
 public:
  RangePainter(const engine::Workbook& workbook, const engine::Sheet& sheet, const CellRange& range,
               const engine::Separators& separators, bool gridlines, PictureCache* pictures)
      : gridlines_(gridlines), workbook_(workbook), sheet_(sheet), fonts_(workbook),
        geometry_(sheet, range, fonts_.DigitWidth()), formats_(workbook, separators),
        merges_(sheet.merges, range), ownPictures_(workbook.pictures),
        pictures_(pictures != nullptr ? *pictures : ownPictures_) {}

  const SheetGeometry& Geometry() const { return geometry_; }

  void Paint(QPainter& painter) {
    painter.fillRect(QRect(0, 0, geometry_.Width(), geometry_.Height()), Qt::white);
    if (gridlines_) {
      const bool automatic = (sheet_.window.options & kDefaultGridColor) != 0;
      PaintGridlines(painter, geometry_, merges_,
                     automatic ? kGridlineColor : ToColor(workbook_.palette.At(sheet_.window.gridColor)));
    }
    ForEachShownCell([&](const CellAddress&, const engine::Cell& cell, const QRect& rect) {
      PaintFill(painter, cell, rect);
    });
    ForEachShownCell([&](const CellAddress& at, const engine::Cell& cell, const QRect& rect) {
      PaintText(painter, at, cell, rect);
    });
    PaintBorders(painter, workbook_, sheet_, geometry_, merges_);
    PaintPictures(painter, sheet_, geometry_, pictures_);
  }

 private:
  // Visits the range's cells that own what they show: every cell outside a merged area and
  // the top-left cell of each merged area (with the whole area's rectangle).
  template <typename Visit>
  void ForEachShownCell(Visit visit) {
    const CellRange& range = geometry_.Range();
    const auto first = sheet_.cells.lower_bound({range.rowFirst, 0});
    const auto last = sheet_.cells.upper_bound({range.rowLast, engine::kLastColumn});
    for (auto it = first; it != last; ++it) {
      const CellAddress& at = it->first;
      if (at.column < range.columnFirst || at.column > range.columnLast) continue;
      QRect rect = CellRect(at.row, at.column, at.row, at.column);
      if (const CellRange* merge = merges_.At(at.row, at.column)) {
        if (merge->First() != at) continue;
        rect = CellRect(merge->rowFirst, merge->columnFirst, merge->rowLast, merge->columnLast);
      }
      if (rect.isEmpty()) continue;
      visit(at, it->second, rect);
    }
    // A merged area whose top-left cell lies above or left of the range still shows.
    for (const CellRange& merge : merges_.InRange()) {
      if (range.Contains(merge.rowFirst, merge.columnFirst)) continue;
      const auto cell = sheet_.cells.find(merge.First());
      if (cell == sheet_.cells.end()) continue;
      const QRect rect = CellRect(merge.rowFirst, merge.columnFirst, merge.rowLast, merge.columnLast);
      if (!rect.isEmpty()) visit(merge.First(), cell->second, rect);
    }
  }

  QRect CellRect(int firstRow, int firstColumn, int lastRow, int lastColumn) const {
    const int left = geometry_.ColumnLeft(firstColumn), top = geometry_.RowTop(firstRow);
    return QRect(left, top, geometry_.ColumnLeft(lastColumn + 1) - left, geometry_.RowTop(lastRow + 1) - top);
  }

  const engine::CellFormat* FormatOf(const engine::Cell& cell) const {
    return cell.xf < workbook_.cellFormats.size() ? &workbook_.cellFormats[cell.xf] : nullptr;
  }

  void PaintFill(QPainter& painter, const engine::Cell& cell, const QRect& rect) {
    const engine::CellFormat* format = FormatOf(cell);
    if (format == nullptr || format->fillPattern == 0) return;
    // Patterns other than solid are drawn as their foreground colour.
    painter.fillRect(rect, ToColor(workbook_.palette.At(format->fillForeground)));
  }

  bool EmptyForSpill(int row, int column) const {
    if (merges_.At(row, column) != nullptr) return false;
    const auto cell = sheet_.cells.find({row, column});
    return cell == sheet_.cells.end() || std::holds_alternative<std::monostate>(cell->second.value);
  }

  // The cell widened over empty neighbours towards one side, as far as the range reaches.
  QRect Spill(const QRect& cell, int row, int column, int step, int needed) const {
    QRect rect = cell;
    const CellRange& range = geometry_.Range();
    for (int next = column + step; next >= range.columnFirst && next <= range.columnLast; next += step) {
      if (rect.width() - cell.width() >= needed) break;
      if (!EmptyForSpill(row, next)) break;
      const int left = geometry_.ColumnLeft(next), right = geometry_.ColumnLeft(next + 1);
      rect = step > 0 ? QRect(rect.left(), rect.top(), right - rect.left(), rect.height())
                      : QRect(left, rect.top(), rect.right() + 1 - left, rect.height());
    }
    return rect;
  }

  void PaintText(QPainter& painter, const CellAddress& at, const engine::Cell& cell, const QRect& rect) {
    const engine::CellFormat* format = FormatOf(cell);
    if (format == nullptr) return;
    const CellText text = LayOutCellText(workbook_, *format, cell.value, formats_, fonts_);
    if (text.pieces.empty() && text.fillAt < 0) return;
    TextPlacement placement{rect, rect, rect, 0};
    if (text.alignment != HorizontalAlignment::Center)
      placement.indent = format->indent * kIndentDigits * fonts_.DigitWidth();
    const int room = rect.width() - 2 * kCellPadding - placement.indent;
    const bool merged = merges_.At(at.row, at.column) != nullptr;
    if (!text.number && !format->wrap && !merged && text.width > room) {
      const int over = text.width - room;
      const int leftNeed = text.alignment == HorizontalAlignment::Center ? (over + 1) / 2 : over;
      if (text.alignment != HorizontalAlignment::Left)
        placement.spillLeft = Spill(rect, at.row, at.column, -1, leftNeed);
      if (text.alignment != HorizontalAlignment::Right)
        placement.spillRight = Spill(rect, at.row, at.column, +1, leftNeed);
    }
    PaintCellText(painter, text, *format, fonts_, placement);
  }

  const bool gridlines_;
  const engine::Workbook& workbook_;
  const engine::Sheet& sheet_;
  FontBook fonts_;
  SheetGeometry geometry_;
  FormatCache formats_;
  MergeIndex merges_;
  PictureCache ownPictures_;  // used when the caller shares none
  PictureCache& pictures_;
};

void CheckRange(const CellRange& range) {
  if (!engine::InGrid(range.First()) || !engine::InGrid(range.Last()) || range.rowFirst > range.rowLast ||
      range.columnFirst > range.columnLast)
    throw RenderError("the range to draw lies outside the sheet");
}

}  // namespace

const engine::Sheet& ActiveSheet(const engine::Workbook& workbook) {
  if (workbook.sheets.empty()) throw RenderError("the workbook has no sheet to draw");
  const std::size_t active = workbook.window.activeSheet;
  return workbook.sheets[active < workbook.sheets.size() ? active : 0];
}

QSize RangeImageSize(const engine::Workbook& workbook, const engine::Sheet& sheet, const CellRange& range) {
  CheckRange(range);
  const FontBook fonts(workbook);
  const SheetGeometry geometry(sheet, range, fonts.DigitWidth());
  return {geometry.Width(), geometry.Height()};
}

QImage RenderRange(const engine::Workbook& workbook, const engine::Sheet& sheet, const CellRange& range,
                   const engine::Separators& separators) {
  CheckRange(range);
  RangePainter painter(workbook, sheet, range, separators, (sheet.window.options & kShowGridlines) != 0, nullptr);
  const int width = painter.Geometry().Width(), height = painter.Geometry().Height();
  if (width <= 0 || height <= 0) throw RenderError("every row or column of the range is hidden: nothing to draw");
  if (width > kMaxImageSide || height > kMaxImageSide)
    throw RenderError("the range is too large to draw: " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels (at most " + std::to_string(kMaxImageSide) + " on each side)");
  if (static_cast<long long>(width) * height > kMaxImagePixels)
    throw RenderError("the range is too large to draw: " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels (at most " + std::to_string(kMaxImagePixels) + " pixels in all)");
  QImage image(width, height, QImage::Format_RGB32);
  QPainter qpainter(&image);
  painter.Paint(qpainter);
  return image;
}

void PaintRange(QPainter& painter, const engine::Workbook& workbook, const engine::Sheet& sheet,
                const CellRange& range, bool gridlines, const engine::Separators& separators,
                PictureCache* pictures) {
  CheckRange(range);
  RangePainter drawing(workbook, sheet, range, separators, gridlines, pictures);
  const QRect area(0, 0, drawing.Geometry().Width(), drawing.Geometry().Height());
  if (area.isEmpty()) return;
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  drawing.Paint(painter);
  painter.restore();
}

}  // namespace quillora::render
