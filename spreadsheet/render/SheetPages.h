#pragma once
// A worksheet laid out on pages by its page setup, and the drawing of one page: the cell
// blocks of the page with the repeated rows and columns, headings and gridlines where the
// sheet prints them, at the page's scale, centred where asked, under its header and above
// its footer. Text stays text, so a vector device (PDF, printer) keeps it sharp and
// selectable.
#include <QDateTime>
#include <QPageLayout>
#include <QPainter>
#include <QString>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/print/HeaderFooter.h"
#include "spreadsheet/print/PageLayout.h"
#include "spreadsheet/render/PictureCache.h"

namespace quillora::render {

// What the header and footer fields show besides page numbers.
struct PrintContext {
  QString fileName;  // &F
  QString folder;    // &Z
  QDateTime now;     // &D, &T
};

class SheetPages {
 public:
  // Lays out sheet `sheetIndex`. Throws engine::print::PrintSetupError for a page setup
  // that cannot be honoured, std::runtime_error for a sheet that is not a worksheet.
  SheetPages(const engine::Workbook& workbook, std::size_t sheetIndex, PrintContext context);

  const engine::print::PageLayout& Layout() const { return layout_; }
  int PageCount() const { return static_cast<int>(layout_.pages.size()); }
  // The paper and orientation of every page, without margins (the page draws its own).
  QPageLayout PaperLayout() const;

  // Draws page `index` (zero-based); the painter's unit is one point from the paper's
  // top-left corner.
  void PaintPage(QPainter& painter, int index) const;

 private:
  int Size(const engine::print::Span& span, bool rows) const;
  void PaintHeadings(QPainter& painter, const engine::print::Page& page, int width, int height) const;

  const engine::Workbook& workbook_;
  const engine::Sheet& sheet_;
  PrintContext context_;
  int digitWidth_ = 7;
  int headingWidth_ = 0, headingHeight_ = 0;  // pixels, where headings print
  engine::print::PageLayout layout_;
  engine::print::HeaderFooterSections header_, footer_;
  // Pictures decoded once for every page, so a paged device stores each picture once.
  mutable PictureCache pictures_;
};

// The index of the workbook's active sheet (the first one when the window names none that
// exists).
std::size_t ActiveSheetIndex(const engine::Workbook& workbook);

}  // namespace quillora::render
