#pragma once
// The page setup of a worksheet as it takes effect when the sheet is printed: the stored
// records with the defaults a spreadsheet program uses for what the file leaves out.
#include <stdexcept>
#include <string>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::print {

// A page setup that cannot be printed as stored (unknown paper, margins that leave no room,
// titles taller than the page, ...). what() is one line saying which.
class PrintSetupError : public engine::Error {
 public:
  using engine::Error::Error;
};

// Margins a sheet without margin records prints with, in inches.
inline constexpr double kDefaultSideMargin = 0.75;
inline constexpr double kDefaultTopBottomMargin = 1.0;

struct PrintSettings {
  // The paper as it lies for printing (width and height swapped in landscape), in points.
  double paperWidth = 612, paperHeight = 792;
  bool landscape = false;
  // Page margins and the distance of the header and footer from the paper's edge, in points.
  double left = 54, right = 54, top = 72, bottom = 72, headerMargin = 36, footerMargin = 36;
  bool fitToPages = false;
  int fitWide = 1, fitTall = 1;  // 0: as many pages as needed
  int scalePercent = 100;        // when not fitting to pages
  bool overThenDown = false;     // page order; false: down, then over
  bool centerHorizontally = false, centerVertically = false;
  bool gridlines = false, headings = false;
  int firstPageNumber = 1;
  std::string header, footer;  // "&L..&C..&R.." codes

  double PrintableWidth() const { return paperWidth - left - right; }
  double PrintableHeight() const { return paperHeight - top - bottom; }
};

// The settings `sheet` prints with. Throws PrintSetupError for a paper size with no known
// size, a stored scale outside 10..400 %, or margins that leave no printable area.
PrintSettings EffectiveSettings(const Sheet& sheet);

}  // namespace quillora::engine::print
