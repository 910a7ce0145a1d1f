#pragma once
// A worksheet cut into pages as its page setup says: the scale (fixed, or the largest whole
// percentage that fits the sheet on the pages asked for), the cell blocks of each page in
// page order, and whether the repeated rows and columns go on it. Sizes of the sheet are in
// screen pixels at 100 % (96 dpi), the paper in points; a pixel prints as 0.75 point at 100 %.
#include <functional>
#include <vector>

#include "spreadsheet/print/PrintRanges.h"
#include "spreadsheet/print/PrintSettings.h"

namespace quillora::engine::print {

inline constexpr double kPointsPerPixel = 0.75;
inline constexpr int kSmallestScale = 10;  // percent

// The drawn sizes of rows and columns (0 for a hidden one), and of the row and column
// headings where they are printed.
struct SheetMeasure {
  std::function<int(int row)> rowHeight;
  std::function<int(int column)> columnWidth;
  int headingWidth = 0;   // the row numbers' column
  int headingHeight = 0;  // the column letters' row
};

struct Page {
  std::size_t area = 0;  // index into PrintRanges::areas
  Span rows, columns;
  bool titleRows = false, titleColumns = false;  // the repeated rows / columns go on this page
  friend bool operator==(const Page&, const Page&) = default;
};

struct PageLayout {
  PrintSettings settings;
  PrintRanges ranges;
  int scalePercent = 100;
  std::vector<Page> pages;
  // Points per sheet pixel on paper.
  double Scale() const { return kPointsPerPixel * scalePercent / 100.0; }
};

// Cuts the sheet into pages. Throws PrintSetupError when the repeated rows or columns leave
// no room on the page, or when the sheet cannot fit the pages asked for even at 10 %.
PageLayout LayOutPages(const PrintSettings& settings, const PrintRanges& ranges, const SheetMeasure& measure);

}  // namespace quillora::engine::print
