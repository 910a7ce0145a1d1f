#include "spreadsheet/render/SheetPages.h"

#include <QFontMetrics>
#include <QLocale>

#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/render/FontBook.h"
#include "spreadsheet/render/HeaderFooterPainter.h"
#include "spreadsheet/render/RenderError.h"
#include "spreadsheet/render/SheetGeometry.h"
#include "spreadsheet/render/SheetRenderer.h"

namespace quillora::render {
namespace {

namespace print = engine::print;

const QColor kHeadingFill(0xF0, 0xF0, 0xF0);
const QColor kHeadingLine(0x9E, 0x9E, 0x9E);

CellRange Block(const print::Span& rows, const print::Span& columns) {
  return {rows.first, columns.first, rows.last, columns.last};
}

QString ColumnName(int column) { return QString::fromStdString(engine::ColumnLetters(column)); }

// The pieces of a page in drawing order: the run of rows (columns) that repeats, when the
// page carries it, then the page's own.
std::vector<print::Span> Runs(const std::optional<print::Span>& titles, bool repeat, const print::Span& own) {
  std::vector<print::Span> runs;
  if (repeat && titles) runs.push_back(*titles);
  runs.push_back(own);
  return runs;
}

}  // namespace

std::size_t ActiveSheetIndex(const engine::Workbook& workbook) {
  if (workbook.sheets.empty()) throw RenderError("the workbook has no sheet to print");
  const std::size_t active = workbook.window.activeSheet;
  return active < workbook.sheets.size() ? active : 0;
}

SheetPages::SheetPages(const engine::Workbook& workbook, std::size_t sheetIndex, PrintContext context)
    : workbook_(workbook), sheet_(workbook.sheets.at(sheetIndex)), context_(std::move(context)),
      pictures_(workbook.pictures) {
  if (sheet_.opaque || sheet_.bofType != 0x0010)
    throw RenderError("sheet \"" + sheet_.name + "\" is not a worksheet and cannot be printed");
  const FontBook fonts(workbook);
  digitWidth_ = fonts.DigitWidth();
  const print::PrintSettings settings = print::EffectiveSettings(sheet_);
  const print::PrintRanges ranges = print::FindPrintRanges(workbook, sheetIndex, SheetUsedRange(sheet_));
  const SheetGeometry geometry(sheet_, {0, 0, 0, 0}, digitWidth_);
  print::SheetMeasure measure{[&geometry](int row) { return geometry.RowHeight(row); },
                              [&geometry](int column) { return geometry.ColumnWidth(column); }};
  if (settings.headings) {
    int lastRow = 1;
    for (const auto& area : ranges.areas) lastRow = std::max(lastRow, area.rowLast + 1);
    headingWidth_ = measure.headingWidth = static_cast<int>(QString::number(lastRow).size() + 2) * digitWidth_;
    headingHeight_ = measure.headingHeight = RowHeightPixels(sheet_.defaultRowHeight);
  }
  layout_ = print::LayOutPages(settings, ranges, measure);
  header_ = print::ParseHeaderFooter(settings.header);
  footer_ = print::ParseHeaderFooter(settings.footer);
}

QPageLayout SheetPages::PaperLayout() const {
  const print::PrintSettings& settings = layout_.settings;
  const QSizeF upright = settings.landscape ? QSizeF(settings.paperHeight, settings.paperWidth)
                                            : QSizeF(settings.paperWidth, settings.paperHeight);
  return QPageLayout(QPageSize(upright, QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                     settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

int SheetPages::Size(const print::Span& span, bool rows) const {
  const SheetGeometry geometry(sheet_, {0, 0, 0, 0}, digitWidth_);
  int size = 0;
  for (int i = span.first; i <= span.last; ++i) size += rows ? geometry.RowHeight(i) : geometry.ColumnWidth(i);
  return size;
}

void SheetPages::PaintPage(QPainter& painter, int index) const {
  const print::Page& page = layout_.pages.at(static_cast<std::size_t>(index));
  const print::PrintSettings& settings = layout_.settings;
  const print::PrintRanges& ranges = layout_.ranges;
  const auto rowRuns = Runs(ranges.titleRows, page.titleRows, page.rows);
  const auto columnRuns = Runs(ranges.titleColumns, page.titleColumns, page.columns);
  const int headingWidth = headingWidth_, headingHeight = headingHeight_;
  int width = headingWidth, height = headingHeight;
  for (const auto& run : columnRuns) width += Size(run, false);
  for (const auto& run : rowRuns) height += Size(run, true);

  const double scale = layout_.Scale();
  double left = settings.left, top = settings.top;
  if (settings.centerHorizontally) left += (settings.PrintableWidth() - width * scale) / 2;
  if (settings.centerVertically) top += (settings.PrintableHeight() - height * scale) / 2;

  painter.save();
  painter.translate(left, top);
  painter.scale(scale, scale);
  if (settings.headings) PaintHeadings(painter, page, headingWidth, headingHeight);
  int y = headingHeight;
  for (const auto& rows : rowRuns) {
    int x = headingWidth;
    for (const auto& columns : columnRuns) {
      painter.save();
      painter.translate(x, y);
      PaintRange(painter, workbook_, sheet_, Block(rows, columns), settings.gridlines, {}, &pictures_);
      painter.restore();
      x += Size(columns, false);
    }
    y += Size(rows, true);
  }
  painter.restore();

  const print::FieldValues values{
      settings.firstPageNumber + index, PageCount(),
      QLocale::system().toString(context_.now.date(), QLocale::ShortFormat).toStdString(),
      QLocale::system().toString(context_.now.time(), QLocale::ShortFormat).toStdString(),
      sheet_.name, context_.fileName.toStdString(), context_.folder.toStdString()};
  PaintHeaderFooter(painter, header_, settings, values, PageEdge::Top);
  PaintHeaderFooter(painter, footer_, settings, values, PageEdge::Bottom);
}

// Column letters above and row numbers left of the cells, in grey boxes.
void SheetPages::PaintHeadings(QPainter& painter, const print::Page& page, int width, int height) const {
  const SheetGeometry geometry(sheet_, {0, 0, 0, 0}, digitWidth_);
  const FontBook fonts(workbook_);
  painter.save();
  painter.setFont(fonts.Font(0));
  const auto box = [&](const QRect& rect, const QString& text) {
    painter.fillRect(rect, kHeadingFill);
    painter.setPen(kHeadingLine);
    painter.drawRect(rect);
    painter.setPen(Qt::black);
    painter.drawText(rect, Qt::AlignCenter, text);
  };
  box(QRect(0, 0, width, height), QString());
  int x = width;
  for (const auto& run : Runs(layout_.ranges.titleColumns, page.titleColumns, page.columns))
    for (int column = run.first; column <= run.last; ++column) {
      const int size = geometry.ColumnWidth(column);
      if (size > 0) box(QRect(x, 0, size, height), ColumnName(column));
      x += size;
    }
  int y = height;
  for (const auto& run : Runs(layout_.ranges.titleRows, page.titleRows, page.rows))
    for (int row = run.first; row <= run.last; ++row) {
      const int size = geometry.RowHeight(row);
      if (size > 0) box(QRect(0, y, width, size), QString::number(row + 1));
      y += size;
    }
  painter.restore();
}

}  // namespace quillora::render
