#include "spreadsheet/render/CellText.h"

#include <algorithm>
#include <variant>

#include "spreadsheet/numfmt/WorkbookFormats.h"

namespace quillora::render {
namespace {

using engine::HorizontalAlignment;
using engine::VerticalAlignment;

QColor ToColor(engine::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// General alignment: numbers right, text left, booleans and errors centred.
HorizontalAlignment EffectiveAlignment(HorizontalAlignment alignment, const engine::Value& value) {
  switch (alignment) {
    case HorizontalAlignment::General:
      if (std::holds_alternative<double>(value)) return HorizontalAlignment::Right;
      if (std::holds_alternative<std::string>(value)) return HorizontalAlignment::Left;
      return HorizontalAlignment::Center;
    case HorizontalAlignment::CenterAcrossSelection: return HorizontalAlignment::Center;
    case HorizontalAlignment::Right:
    case HorizontalAlignment::Center: return alignment;
    default: return HorizontalAlignment::Left;
  }
}

int Baseline(const QRect& cell, const QFontMetrics& metrics, VerticalAlignment alignment) {
  const int inner = cell.height() - 1;  // the last pixel is the gridline's
  switch (alignment) {
    case VerticalAlignment::Top: return cell.top() + 1 + metrics.ascent();
    case VerticalAlignment::Center:
    case VerticalAlignment::Justify:
    case VerticalAlignment::Distributed:
      return cell.top() + (inner - metrics.height() + 1) / 2 + metrics.ascent();
    default: return cell.top() + inner - 1 - metrics.descent();
  }
}

// The text shaped once in `font` on a single line, and its advance in whole pixels as the
// font's metrics round it.
std::shared_ptr<const QTextLayout> ShapedLine(const QString& text, const QFont& font, int& width) {
  auto layout = std::make_shared<QTextLayout>(text, font);
  layout->setCacheEnabled(true);  // keep the glyphs for drawing
  layout->beginLayout();
  const QTextLine line = layout->createLine();
  layout->endLayout();
  width = line.isValid() ? qRound(line.horizontalAdvance()) : 0;
  return layout;
}

}  // namespace

const engine::NumberFormat& FormatCache::Get(std::uint16_t index) {
  if (auto found = formats_.find(index); found != formats_.end()) return found->second;
  const std::string code = engine::NumberFormatCode(workbook_, index);
  try {
    return formats_.emplace(index, engine::NumberFormat(code)).first->second;
  } catch (const engine::NumberFormatError&) {
    return formats_.emplace(index, engine::NumberFormat("General")).first->second;
  }
}

CellText LayOutCellText(const engine::Workbook& workbook, const engine::CellFormat& format,
                        const engine::Value& value, FormatCache& formats, const FontBook& fonts) {
  CellText text;
  if (std::holds_alternative<std::monostate>(value)) return text;
  const engine::FormattedValue formatted = formats.Get(format.format).Format(value, formats.separators());
  const QFontMetrics& metrics = fonts.Metrics(format.font);
  for (const engine::FormatRun& run : formatted.runs) {
    const QString piece = QString::fromStdString(run.text);
    if (run.kind == engine::FormatRun::Kind::Fill) {
      text.fillAt = static_cast<int>(text.pieces.size());
      text.fillCharacter = piece;
      continue;
    }
    TextPiece shaped{piece, 0, run.kind == engine::FormatRun::Kind::Space, nullptr};
    if (shaped.gap)
      shaped.width = metrics.horizontalAdvance(piece);
    else
      shaped.layout = ShapedLine(piece, fonts.Font(format.font), shaped.width);
    text.width += shaped.width;
    text.pieces.push_back(std::move(shaped));
  }
  const std::uint16_t fontColor =
      format.font < workbook.fonts.size() ? workbook.fonts[format.font].color : engine::kAutomaticFontColor;
  text.color = ToColor(workbook.palette.At(formatted.color ? *formatted.color : fontColor));
  text.number = std::holds_alternative<double>(value);
  text.alignment = EffectiveAlignment(format.horizontal, value);
  return text;
}

void PaintCellText(QPainter& painter, const CellText& text, const engine::CellFormat& format,
                   const FontBook& fonts, const TextPlacement& placement) {
  if (text.pieces.empty() && text.fillAt < 0) return;
  const QFontMetrics& metrics = fonts.Metrics(format.font);
  const QRect& cell = placement.cell;
  const int left = cell.left() + kCellPadding, right = cell.right() - kCellPadding;  // inclusive
  int room = right - left + 1 - placement.indent;

  std::vector<TextPiece> pieces = text.pieces;
  int width = text.width;
  if (text.fillAt >= 0) {  // repeat the fill character over the free width
    const int each = std::max(1, metrics.horizontalAdvance(text.fillCharacter));
    const int count = std::max(0, (room - width) / each);
    pieces.insert(pieces.begin() + text.fillAt, {text.fillCharacter.repeated(count), count * each, false, nullptr});
    width += count * each;
  }
  if (text.number && width > room) {  // a number that does not fit shows as #s
    const int each = std::max(1, metrics.horizontalAdvance(QLatin1Char('#')));
    const int count = std::max(0, room / each);
    pieces = {{QString(count, QLatin1Char('#')), count * each, false, nullptr}};
    width = count * each;
  }

  const bool wraps = format.wrap && !text.number;
  QRect clip = cell;
  int x = left;
  switch (text.alignment) {
    case HorizontalAlignment::Right:
      x = right + 1 - placement.indent - width;
      if (x < left && !wraps) clip = placement.spillLeft;
      break;
    case HorizontalAlignment::Center:
      x = left + (room - width) / 2;
      if (width > room && !wraps) clip = placement.spillLeft.united(placement.spillRight);
      break;
    default:
      x = left + placement.indent;
      if (width > room && !wraps) clip = placement.spillRight;
      break;
  }

  painter.setFont(fonts.Font(format.font));
  painter.setPen(text.color);
  const bool clipped = width > room || x < clip.left();
  if (clipped) painter.setClipRect(clip);
  if (wraps && width > room) {
    QString whole;
    for (const TextPiece& piece : pieces) whole += piece.gap ? QStringLiteral(" ") : piece.text;
    const QRect box(left + placement.indent, cell.top() + 1, room, cell.height() - 2);
    painter.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, whole);
  } else {
    const int baseline = Baseline(cell, metrics, format.vertical);
    for (const TextPiece& piece : pieces) {
      if (piece.layout != nullptr) {
        // The layout draws its line's top at the point: its baseline lies an ascent below.
        piece.layout->draw(&painter, QPointF(x, baseline - piece.layout->lineAt(0).ascent()));
      } else if (!piece.gap) {
        painter.drawText(QPoint(x, baseline), piece.text);
      }
      x += piece.width;
    }
  }
  if (clipped) painter.setClipping(false);
}

}  // namespace quillora::render
