#pragma once
// Draws a page's header or footer: each section's lines in their fonts, the left section at
// the left margin, the centre one centred on the paper, the right one ending at the right
// margin. The painter's unit is one point.
#include <QPainter>

#include "spreadsheet/print/HeaderFooter.h"
#include "spreadsheet/print/PrintSettings.h"

namespace quillora::render {

enum class PageEdge { Top, Bottom };

// The header (Top: its first line's top at the header margin) or the footer (Bottom: its
// last line's bottom at the footer margin).
void PaintHeaderFooter(QPainter& painter, const engine::print::HeaderFooterSections& sections,
                       const engine::print::PrintSettings& settings, const engine::print::FieldValues& values,
                       PageEdge edge);

}  // namespace quillora::render
