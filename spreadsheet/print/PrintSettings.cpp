#include "spreadsheet/print/PrintSettings.h"

#include <cmath>
#include <utility>

#include "spreadsheet/print/PaperSizes.h"

namespace quillora::engine::print {
namespace {

constexpr double kPointsPerInch = 72.0;
// SETUP option bits: the printer fields (paper, scale, orientation) were never set, and
// the orientation alone was never set.
constexpr std::uint16_t kPrinterFieldsUnset = 0x04;
constexpr std::uint16_t kOrientationUnset = 0x40;

double Margin(const std::optional<double>& stored, double fallback, const char* which) {
  const double inches = stored.value_or(fallback);
  if (!std::isfinite(inches) || inches < 0 || inches > 100)
    throw PrintSetupError(std::string("the ") + which + " margin is not a usable length");
  return inches * kPointsPerInch;
}

}  // namespace

PrintSettings EffectiveSettings(const Sheet& sheet) {
  const PageSetup& page = sheet.pageSetup;
  PrintSettings settings;
  const PrintSetup setup = page.setup.value_or(PrintSetup{});
  const bool printerFields = page.setup && !(setup.options & kPrinterFieldsUnset);

  PaperSize paper{612, 792};  // Letter where the file names no paper
  if (printerFields && setup.paperSize != 0) {
    const auto known = PaperSizeOf(setup.paperSize);
    if (!known)
      throw PrintSetupError("paper size code " + std::to_string(setup.paperSize) + " is not a known paper");
    paper = *known;
  }
  settings.landscape = printerFields && !(setup.options & kOrientationUnset) && !setup.Portrait();
  settings.paperWidth = settings.landscape ? paper.height : paper.width;
  settings.paperHeight = settings.landscape ? paper.width : paper.height;

  settings.left = Margin(page.leftMargin, kDefaultSideMargin, "left");
  settings.right = Margin(page.rightMargin, kDefaultSideMargin, "right");
  settings.top = Margin(page.topMargin, kDefaultTopBottomMargin, "top");
  settings.bottom = Margin(page.bottomMargin, kDefaultTopBottomMargin, "bottom");
  settings.headerMargin = Margin(page.setup ? std::optional(setup.headerMargin) : std::nullopt, 0.5, "header");
  settings.footerMargin = Margin(page.setup ? std::optional(setup.footerMargin) : std::nullopt, 0.5, "footer");
  if (settings.PrintableWidth() < 1 || settings.PrintableHeight() < 1)
    throw PrintSetupError("the margins leave no room to print on the paper");

  settings.fitToPages = sheet.sheetOptions && (*sheet.sheetOptions & kSheetFitToPage);
  settings.fitWide = setup.fitWidth;
  settings.fitTall = setup.fitHeight;
  if (!settings.fitToPages && printerFields) {
    if (setup.scale < 10 || setup.scale > 400)
      throw PrintSetupError("the print scale " + std::to_string(setup.scale) + " % lies outside 10 to 400 %");
    settings.scalePercent = setup.scale;
  }
  settings.overThenDown = setup.OverThenDown();
  settings.centerHorizontally = page.centerHorizontally.value_or(false);
  settings.centerVertically = page.centerVertically.value_or(false);
  settings.gridlines = page.printGridlines.value_or(false);
  settings.headings = page.printHeadings.value_or(false);
  settings.firstPageNumber = setup.UseFirstPageNumber() ? static_cast<std::int16_t>(setup.firstPageNumber) : 1;
  settings.header = page.header.value_or("");
  settings.footer = page.footer.value_or("");
  return settings;
}

}  // namespace quillora::engine::print
