#pragma once
// Cell borders as the sheet shows them. Two cells meet at each inner edge, and each may
// give that edge a border (the upper cell its bottom, the lower cell its top; likewise left
// and right). The heavier border wins: double over thick over medium over the medium dashed
// styles over thin over dashed, dash-dot, dash-dot-dot, dotted and hair; between equally
// heavy borders the lower (right) cell's wins, as the later-set one does. Edges inside a
// merged area and borders of hidden rows or columns are not drawn.
#include <QPainter>
#include <vector>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/render/SheetGeometry.h"

namespace quillora::render {

// How heavy a style is for the rule above (0 for none).
int BorderWeight(engine::BorderStyle style);

void PaintBorders(QPainter& painter, const engine::Workbook& workbook, const engine::Sheet& sheet,
                  const SheetGeometry& geometry, const std::vector<engine::CellRange>& merges);

// The sheet's gridlines in `color`, left out inside merged areas.
void PaintGridlines(QPainter& painter, const SheetGeometry& geometry, const std::vector<engine::CellRange>& merges,
                    QColor color);

}  // namespace quillora::render
