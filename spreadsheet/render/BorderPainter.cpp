#include "spreadsheet/render/BorderPainter.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <span>
#include <tuple>

namespace quillora::render {
namespace {

using engine::BorderStyle;

// One drawn style: line thickness in pixels, whether it is a double line, and the dash
// pattern as alternating on/off lengths (empty: solid).
struct StyleLook {
  int thickness = 1;
  bool doubled = false;
  std::vector<int> dashes;
};

StyleLook LookOf(BorderStyle style) {
  switch (style) {
    case BorderStyle::Medium: return {2, false, {}};
    case BorderStyle::Thick: return {3, false, {}};
    case BorderStyle::Double: return {1, true, {}};
    case BorderStyle::Hair: return {1, false, {1, 1}};
    case BorderStyle::Dotted: return {1, false, {1, 1}};
    case BorderStyle::Dashed: return {1, false, {3, 1}};
    case BorderStyle::DashDot: return {1, false, {9, 3, 3, 3}};
    case BorderStyle::DashDotDot: return {1, false, {9, 3, 3, 3, 3, 3}};
    case BorderStyle::MediumDashed: return {2, false, {9, 3}};
    case BorderStyle::MediumDashDot: return {2, false, {9, 3, 3, 3}};
    case BorderStyle::MediumDashDotDot: return {2, false, {9, 3, 3, 3, 3, 3}};
    case BorderStyle::SlantDashDot: return {2, false, {11, 1, 5, 1}};
    default: return {1, false, {}};
  }
}

// Draws a line along `length` pixels from `start` (x for horizontal, y for vertical) at
// cross position `across`, `thickness` pixels thick, with the dash pattern.
void PaintLine(QPainter& painter, bool horizontal, int start, int length, int across,
               int thickness, const std::vector<int>& dashes, const QColor& color) {
  auto rect = [&](int from, int count) {
    return horizontal ? QRect(from, across, count, thickness) : QRect(across, from, thickness, count);
  };
  if (dashes.empty()) {
    painter.fillRect(rect(start, length), color);
    return;
  }
  std::size_t step = 0;
  for (int at = start; at < start + length; ++step) {
    const int run = std::min(dashes[step % dashes.size()], start + length - at);
    if (step % 2 == 0) painter.fillRect(rect(at, run), color);
    at += run;
  }
}

// Winner so far at one edge.
struct EdgeBorder {
  engine::Border border;
  bool later = false;  // from the lower or right cell
};

// Edge key: orientation (true: horizontal, along the top of `row`), row, column.
using EdgeKey = std::tuple<bool, int, int>;

bool InsideMerge(const std::vector<engine::CellRange>& merges, bool horizontal, int row, int column) {
  for (const engine::CellRange& merge : merges) {
    if (horizontal) {
      if (column >= merge.columnFirst && column <= merge.columnLast && row > merge.rowFirst && row <= merge.rowLast)
        return true;
    } else if (row >= merge.rowFirst && row <= merge.rowLast && column > merge.columnFirst &&
               column <= merge.columnLast) {
      return true;
    }
  }
  return false;
}

void Offer(std::map<EdgeKey, EdgeBorder>& edges, const EdgeKey& key, const engine::Border& border,
           bool later) {
  if (border.style == BorderStyle::None) return;
  auto [it, inserted] = edges.try_emplace(key, EdgeBorder{border, later});
  if (inserted) return;
  const int have = BorderWeight(it->second.border.style);
  const int offered = BorderWeight(border.style);
  if (offered > have || (offered == have && later)) it->second = {border, later};
}

}  // namespace

int BorderWeight(BorderStyle style) {
  static constexpr std::array<BorderStyle, 13> kLightToHeavy = {
      BorderStyle::Hair,          BorderStyle::Dotted,        BorderStyle::DashDotDot,
      BorderStyle::DashDot,       BorderStyle::Dashed,        BorderStyle::Thin,
      BorderStyle::MediumDashDotDot, BorderStyle::SlantDashDot, BorderStyle::MediumDashDot,
      BorderStyle::MediumDashed,  BorderStyle::Medium,        BorderStyle::Thick,
      BorderStyle::Double};
  for (std::size_t i = 0; i < kLightToHeavy.size(); ++i)
    if (kLightToHeavy[i] == style) return static_cast<int>(i) + 1;
  return 0;
}

void PaintBorders(QPainter& painter, const engine::Workbook& workbook, const engine::Sheet& sheet,
                  const SheetGeometry& geometry, const std::vector<engine::CellRange>& merges) {
  const CellRange& range = geometry.Range();
  std::map<EdgeKey, EdgeBorder> edges;
  const auto first = sheet.cells.lower_bound({range.rowFirst, 0});
  const auto last = sheet.cells.upper_bound({range.rowLast, engine::kLastColumn});
  for (auto it = first; it != last; ++it) {
    const auto [row, column] = it->first;
    if (column < range.columnFirst || column > range.columnLast) continue;
    if (it->second.xf >= workbook.cellFormats.size()) continue;
    if (geometry.RowHeight(row) == 0 || geometry.ColumnWidth(column) == 0) continue;
    const engine::CellFormat& format = workbook.cellFormats[it->second.xf];
    Offer(edges, {true, row, column}, format.top, true);
    Offer(edges, {true, row + 1, column}, format.bottom, false);
    Offer(edges, {false, row, column}, format.left, true);
    Offer(edges, {false, row, column + 1}, format.right, false);
  }
  const int width = geometry.Width(), height = geometry.Height();
  for (const auto& [key, edge] : edges) {
    const auto [horizontal, row, column] = key;
    if (InsideMerge(merges, horizontal, row, column)) continue;
    const StyleLook look = LookOf(edge.border.style);
    const engine::Rgb rgb = workbook.palette.At(edge.border.color);
    const QColor color(rgb.red, rgb.green, rgb.blue);
    // The line sits on the edge's gridline pixel: the last pixel of the cell before it.
    const int span = look.doubled ? 3 : look.thickness;
    const int limit = (horizontal ? height : width) - span;
    int across = (horizontal ? geometry.RowTop(row) : geometry.ColumnLeft(column)) - 1 - span / 2;
    across = std::clamp(across, 0, std::max(0, limit));
    const int start = (horizontal ? geometry.ColumnLeft(column) : geometry.RowTop(row)) - 1;
    const int end = (horizontal ? geometry.ColumnLeft(column + 1) : geometry.RowTop(row + 1)) - 1;
    if (end <= start) continue;
    if (look.doubled) {
      PaintLine(painter, horizontal, start, end - start + 1, across, 1, look.dashes, color);
      PaintLine(painter, horizontal, start, end - start + 1, across + 2, 1, look.dashes, color);
    } else {
      PaintLine(painter, horizontal, start, end - start + 1, across, look.thickness, look.dashes, color);
    }
  }
}

void PaintGridlines(QPainter& painter, const SheetGeometry& geometry, const std::vector<engine::CellRange>& merges,
                    QColor color) {
  const CellRange& range = geometry.Range();
  for (int row = range.rowFirst; row <= range.rowLast; ++row) {
    const int top = geometry.RowTop(row), bottom = geometry.RowTop(row + 1);
    if (bottom == top) continue;
    for (int column = range.columnFirst; column <= range.columnLast; ++column) {
      const int left = geometry.ColumnLeft(column), right = geometry.ColumnLeft(column + 1);
      if (right == left) continue;
      if (!InsideMerge(merges, true, row + 1, column))
        painter.fillRect(QRect(left, bottom - 1, right - left, 1), color);
      if (!InsideMerge(merges, false, row, column + 1))
        painter.fillRect(QRect(right - 1, top, 1, bottom - top), color);
    }
  }
}

}  // namespace quillora::render
