#include "spreadsheet/render/PageOutput.h"
#include "spreadsheet/render/RenderError.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace quillora::render {

void PaintPages(const SheetPages& pages, QPagedPaintDevice& device, int first, int last) {
  if (pages.PageCount() == 0) throw RenderError("nothing to print: every row or column of the print area is hidden");
  first = std::max(first, 0);
  last = std::min(last, pages.PageCount() - 1);
  if (first > last) throw RenderError("no page lies in the range asked for");
  if (!device.setPageLayout(pages.PaperLayout())) throw RenderError("the device does not take the sheet's paper size");
  QPainter painter;
  if (!painter.begin(&device)) throw RenderError("cannot start drawing on the printer or file");
  const double unitsPerPoint = device.logicalDpiX() / 72.0;
  for (int index = first; index <= last; ++index) {
    if (index > first && !device.newPage()) throw RenderError("cannot start a new page");
    painter.save();
    painter.scale(unitsPerPoint, unitsPerPoint);
    pages.PaintPage(painter, index);
    painter.restore();
  }
  if (!painter.end()) throw RenderError("cannot finish the printout");
}

std::vector<std::uint8_t> PagesToPdf(const SheetPages& pages, const QString& title) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Quillora"));
    PaintPages(pages, writer, 0, pages.PageCount() - 1);
  }
  const QByteArray& bytes = buffer.data();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace quillora::render
