#pragma once
// Pages of a sheet onto a paged device (a printer or a PDF writer), and as a PDF document.
#include <QPagedPaintDevice>
#include <QString>
#include <cstdint>
#include <vector>

#include "spreadsheet/render/SheetPages.h"

namespace quillora::render {

// Draws pages `first` to `last` (zero-based, inclusive) on `device`, one device page each,
// on the sheet's paper. A printer must print the full page (QPrinter::setFullPage), so the
// paper's corner is the origin. Throws std::runtime_error when there is nothing to print or
// the device cannot be drawn on.
void PaintPages(const SheetPages& pages, QPagedPaintDevice& device, int first, int last);

// Every page as a PDF document with text as text (fonts embedded) and pictures included.
std::vector<std::uint8_t> PagesToPdf(const SheetPages& pages, const QString& title);

}  // namespace quillora::render
