#include "spreadsheet/render/HeaderFooterPainter.h"

#include <QFontMetricsF>
#include <QString>
#include <vector>

#include "spreadsheet/render/FontBook.h"

namespace quillora::render {
namespace {

using engine::print::HeaderFooterRun;

// Header and footer text without a font code: Arial 10 pt, as a new sheet has it.
constexpr const char* kDefaultFont = "Arial";
constexpr int kDefaultPoints = 10;

struct Piece {
  QString text;
  QFont font;
};

struct Line {
  std::vector<Piece> pieces;
  qreal width = 0, ascent = 0, descent = 0;
};

QFont RunFont(const HeaderFooterRun& run) {
  QFont font(DrawnFamily(run.font.empty() ? kDefaultFont : run.font));
  font.setPixelSize(run.points > 0 ? std::min(run.points, 409) : kDefaultPoints);  // one unit is a point
  font.setBold(run.bold);
  font.setItalic(run.italic);
  font.setUnderline(run.underline);
  font.setStrikeOut(run.strikeout);
  return font;
}

// The section's runs with their fields filled in, cut into lines at line breaks.
std::vector<Line> LinesOf(const std::vector<HeaderFooterRun>& runs, const engine::print::FieldValues& values) {
  std::vector<Line> lines(1);
  for (const HeaderFooterRun& run : runs) {
    const QFont font = RunFont(run);
    const QStringList parts = QString::fromStdString(engine::print::RunText(run, values)).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) lines.emplace_back();
      Line& line = lines.back();
      const QFontMetricsF metrics(font);
      line.ascent = std::max(line.ascent, metrics.ascent());
      line.descent = std::max(line.descent, metrics.descent());
      if (parts[i].isEmpty()) continue;
      line.pieces.push_back({parts[i], font});
      line.width += metrics.horizontalAdvance(parts[i]);
    }
  }
  return lines;
}

qreal Height(const std::vector<Line>& lines) {
  qreal height = 0;
  for (const Line& line : lines) height += line.ascent + line.descent;
  return height;
}

}  // namespace

void PaintHeaderFooter(QPainter& painter, const engine::print::HeaderFooterSections& sections,
                       const engine::print::PrintSettings& settings, const engine::print::FieldValues& values,
                       PageEdge edge) {
  painter.save();
  painter.setPen(Qt::black);
  const std::vector<HeaderFooterRun>* parts[] = {&sections.left, &sections.center, &sections.right};
  for (int part = 0; part < 3; ++part) {
    if (parts[part]->empty()) continue;
    const std::vector<Line> lines = LinesOf(*parts[part], values);
    qreal y = edge == PageEdge::Top ? settings.headerMargin : settings.paperHeight - settings.footerMargin - Height(lines);
    for (const Line& line : lines) {
      qreal x = part == 0   ? settings.left
                : part == 1 ? (settings.paperWidth - line.width) / 2
                            : settings.paperWidth - settings.right - line.width;
      const qreal baseline = y + line.ascent;
      for (const Piece& piece : line.pieces) {
        painter.setFont(piece.font);
        painter.drawText(QPointF(x, baseline), piece.text);
        x += QFontMetricsF(piece.font).horizontalAdvance(piece.text);
      }
      y += line.ascent + line.descent;
    }
  }
  painter.restore();
}

}  // namespace quillora::render
