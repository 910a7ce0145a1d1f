#pragma once
// Draws a range of a sheet as the sheet shows it on screen at 100 % and 96 dpi: column
// widths and row heights (hidden ones left out), merged areas, fills, borders, gridlines
// unless the sheet hides them, formatted values in their fonts and colours, and pictures.
#include <QImage>
#include <QPainter>
#include <QSize>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/numfmt/NumberFormat.h"
#include "spreadsheet/render/PictureCache.h"
#include "spreadsheet/render/RenderRange.h"

namespace quillora::render {

// Largest picture drawn, in pixels along either side and in all (2^26 pixels, 256 MiB at four
// bytes each): a small file whose used range reaches far must not claim gigabytes.
inline constexpr int kMaxImageSide = 32767;
inline constexpr long long kMaxImagePixels = 1LL << 26;

// Size of the picture of `range`: the sum of its visible column widths and row heights.
QSize RangeImageSize(const engine::Workbook& workbook, const engine::Sheet& sheet,
                     const CellRange& range);

// The picture of `range`. Throws std::runtime_error when the range is wider or taller than
// kMaxImageSide pixels or larger than kMaxImagePixels, or when every row or column of it is
// hidden. Numbers show with `separators` for the codes' "." and ",".
QImage RenderRange(const engine::Workbook& workbook, const engine::Sheet& sheet, const CellRange& range,
                   const engine::Separators& separators = {});

// Draws `range` on `painter` with its top-left corner at the painter's origin, one unit per
// pixel, clipped to the range; gridlines only when `gridlines`; numbers with `separators`;
// pictures from `pictures` when given (shared by several drawings of one workbook), else
// decoded for this drawing. Nothing for a hidden range.
void PaintRange(QPainter& painter, const engine::Workbook& workbook, const engine::Sheet& sheet,
                const CellRange& range, bool gridlines, const engine::Separators& separators = {},
                PictureCache* pictures = nullptr);

// The active sheet of the workbook (the first one when the window names none that exists).
const engine::Sheet& ActiveSheet(const engine::Workbook& workbook);

}  // namespace quillora::render
