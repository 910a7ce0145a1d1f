#pragma once
// A cell's value as drawn text: formatted through its number format, measured in its font,
// placed by its alignment and indent, spilling into empty neighbours when it is text.
#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <unordered_map>
#include <vector>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/numfmt/NumberFormat.h"
#include "spreadsheet/render/FontBook.h"
#include "spreadsheet/render/SheetGeometry.h"

namespace quillora::render {

// Pixels between a cell's edge and its text, and per indent level. One indent level is
// three widths of the standard font's digit zero (21 px for Arial 10).
inline constexpr int kCellPadding = 2;
inline constexpr int kIndentDigits = 3;

// Number formats by index, parsed on first use, and the separators numbers show with. A
// code that cannot be parsed shows as General rather than stopping the drawing.
class FormatCache {
 public:
  explicit FormatCache(const engine::Workbook& workbook, engine::Separators separators = {})
      : workbook_(workbook), separators_(std::move(separators)) {}
  const engine::NumberFormat& Get(std::uint16_t index);
  const engine::Separators& separators() const { return separators_; }

 private:
  const engine::Workbook& workbook_;
  engine::Separators separators_;
  std::unordered_map<std::uint16_t, engine::NumberFormat> formats_;
};

// A piece of drawn text; a gap piece leaves its width empty. A drawn piece keeps the
// layout it was measured with, so drawing it does not shape the text again.
struct TextPiece {
  QString text;
  int width = 0;
  bool gap = false;
  std::shared_ptr<const QTextLayout> layout;  // null for gaps and pieces made while drawing
};

struct CellText {
  std::vector<TextPiece> pieces;
  int width = 0;
  int fillAt = -1;       // piece index before which the fill character repeats; -1: none
  QString fillCharacter;
  QColor color;
  bool number = false;
  engine::HorizontalAlignment alignment = engine::HorizontalAlignment::Left;
};

// Lays out a cell's value; nothing (no pieces) for an empty value.
CellText LayOutCellText(const engine::Workbook& workbook, const engine::CellFormat& format,
                        const engine::Value& value, FormatCache& formats, const FontBook& fonts);

// Everything drawing one cell's text needs to know about the sheet around it.
struct TextPlacement {
  QRect cell;        // the cell's (or merged area's) rectangle
  QRect spillLeft;   // how far the text may reach when it overflows: the cell widened over
  QRect spillRight;  // the empty neighbours on each side
  int indent = 0;    // pixels
};

void PaintCellText(QPainter& painter, const CellText& text, const engine::CellFormat& format,
                   const FontBook& fonts, const TextPlacement& placement);

}  // namespace quillora::render
