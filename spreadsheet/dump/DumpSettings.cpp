// The settings lines of the dump listing: window, page setup, calculation, protection,
// pictures and ignored errors of each sheet; then the workbook's names and settings.
#include <string>

#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/dump/Dump.h"
#include "spreadsheet/dump/DumpText.h"
#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/formula/FormulaTokens.h"

namespace quillora::engine {
namespace {

const char* OnOff(bool on) { return on ? "on" : "off"; }

template <typename T, typename Show>
std::string Optional(const std::optional<T>& value, Show show) {
  return value ? show(*value) : std::string("unset");
}

std::string Flag(const std::optional<bool>& value) {
  return Optional(value, [](bool on) { return std::string(OnOff(on)); });
}

std::string Inches(const std::optional<double>& value) {
  return Optional(value, [](double v) { return DumpNumber(v); });
}

void DumpWindow(const Sheet& sheet, std::ostream& out) {
  const SheetWindow& w = sheet.window;
  out << "  window gridlines=" << (w.ShowGridlines() ? "shown" : "hidden")
      << " headings=" << (w.ShowHeadings() ? "shown" : "hidden") << " zeros=" << (w.ShowZeros() ? "shown" : "hidden")
      << " zoom=";
  if (sheet.zoom && sheet.zoom->second != 0) out << DumpNumber(100.0 * sheet.zoom->first / sheet.zoom->second) << '%';
  else out << "100%";
  out << " panes=";
  if (!sheet.pane) out << "none";
  else
    out << (w.FrozenPanes() ? "frozen" : "split") << ' ' << sheet.pane->x << ',' << sheet.pane->y << " top="
        << CellName({sheet.pane->topRow, sheet.pane->leftColumn});
  for (const Selection& s : sheet.selections) {
    out << " active=" << CellName(s.active) << " selection=";
    if (s.ranges.empty()) out << CellName(s.active);
    for (std::size_t k = 0; k < s.ranges.size(); ++k) out << (k ? "," : "") << RangeText(s.ranges[k]);
  }
  out << '\n';
}

void DumpPage(const Sheet& sheet, std::ostream& out) {
  const PageSetup& p = sheet.pageSetup;
  const bool fit = sheet.sheetOptions && (*sheet.sheetOptions & kSheetFitToPage);
  out << "  page";
  if (p.setup) {
    const PrintSetup& s = *p.setup;
    out << " paper=" << s.paperSize << " orientation=" << (s.Portrait() ? "portrait" : "landscape");
    if (fit) out << " fit=" << s.fitWidth << 'x' << s.fitHeight << " scale=" << s.scale << "%(inactive)";
    else out << " scale=" << s.scale << '%';
    out << " order=" << (s.OverThenDown() ? "over-then-down" : "down-then-over") << " first-page="
        << (s.UseFirstPageNumber() ? std::to_string(s.firstPageNumber) : std::string("auto"))
        << " header-margin=" << DumpNumber(s.headerMargin) << " footer-margin=" << DumpNumber(s.footerMargin)
        << " quality=" << s.resolution << 'x' << s.verticalResolution << " copies=" << s.copies;
  } else {
    out << " setup=unset fit=" << OnOff(fit);
  }
  out << " center-horizontal=" << Flag(p.centerHorizontally) << " center-vertical=" << Flag(p.centerVertically)
      << " margins=" << Inches(p.leftMargin) << ',' << Inches(p.rightMargin) << ',' << Inches(p.topMargin) << ','
      << Inches(p.bottomMargin) << " print-gridlines=" << Flag(p.printGridlines)
      << " print-headings=" << Flag(p.printHeadings) << " header="
      << Optional(p.header, [](const std::string& t) { return DumpQuoted(t); })
      << " footer=" << Optional(p.footer, [](const std::string& t) { return DumpQuoted(t); }) << '\n';
}

void DumpCalculation(const CalcSettings& c, std::ostream& out) {
  out << "  calculation " << (c.mode == 1 ? "automatic" : c.mode == 0 ? "manual" : "automatic-except-tables")
      << " count=" << c.iterationCount << " references=" << (c.a1References ? "A1" : "R1C1")
      << " iteration=" << OnOff(c.iteration) << " delta=" << DumpNumber(c.maxChange)
      << " recalc-before-save=" << OnOff(c.recalcBeforeSave) << '\n';
}

std::string AnchorEnd(std::uint16_t col, std::int16_t dx, std::uint16_t row, std::int16_t dy) {
  return CellName({row, col}) + "+" + std::to_string(dx) + "/1024," + std::to_string(dy) + "/256";
}

void DumpPictures(const Workbook& book, const Sheet& sheet, std::ostream& out) {
  for (const SheetPicture& p : sheet.pictures) {
    out << "  picture " << DumpQuoted(p.name) << " description=" << DumpQuoted(p.description) << " blip=" << p.blipIndex;
    if (p.blipIndex >= 1 && static_cast<std::size_t>(p.blipIndex) <= book.pictures.blips.size()) {
      const Blip& blip = book.pictures.blips[static_cast<std::size_t>(p.blipIndex) - 1];
      out << ' ' << (blip.kind == BlipKind::Jpeg ? "jpeg" : blip.kind == BlipKind::Png ? "png" : "other") << ' '
          << blip.bytes.size() << "-bytes";
    }
    const Anchor& a = p.anchor;
    out << " from=" << AnchorEnd(a.col1, a.dx1, a.row1, a.dy1) << " to=" << AnchorEnd(a.col2, a.dx2, a.row2, a.dy2)
        << '\n';
  }
}

void DumpIgnoredErrors(const Sheet& sheet, std::ostream& out) {
  static const char* const kChecks[] = {"calculation-error", "empty-cell-reference", "number-as-text",
                                        "inconsistent-range", "inconsistent-formula", "two-digit-year",
                                        "unlocked-formula", "data-validation"};
  for (const IgnoredErrors& entry : sheet.ignoredErrors) {
    out << "  ignore-errors";
    for (int bit = 0; bit < 8; ++bit)
      if (entry.flags & (1u << bit)) out << ' ' << kChecks[bit];
    out << " ranges=";
    for (std::size_t k = 0; k < entry.ranges.size(); ++k) out << (k ? "," : "") << RangeText(entry.ranges[k]);
    out << '\n';
  }
}

}  // namespace

void DumpSheetSettings(const Workbook& book, const Sheet& sheet, std::ostream& out) {
  DumpWindow(sheet, out);
  DumpPage(sheet, out);
  if (sheet.calculation) DumpCalculation(*sheet.calculation, out);
  if (sheet.protection)
    out << "  protection contents=" << OnOff(sheet.protection->contents) << " objects=" << Flag(sheet.protection->objects)
        << " scenarios=" << Flag(sheet.protection->scenarios)
        << " password=" << (sheet.protection->password.value_or(0) ? "set" : "none") << '\n';
  DumpPictures(book, sheet, out);
  DumpIgnoredErrors(sheet, out);
}

void DumpBookSettings(const Workbook& book, std::ostream& out) {
  out << "  workbook date-system=" << (book.date1904 ? "1904" : "1900")
      << " precision=" << Optional(book.fullPrecision, [](bool full) { return std::string(full ? "full" : "as-displayed"); });
  if (book.protection)
    out << " protection windows=" << OnOff(book.protection->windows) << " structure=" << OnOff(book.protection->structure)
        << " password=" << (book.protection->password ? "set" : "none");
  out << " pictures=" << book.pictures.blips.size() << '\n';
  for (const DefinedName& name : book.names) {
    std::string formula;
    try {
      formula = NameFormulaText(book, name);
    } catch (const FormulaError& error) {
      formula = std::string("(unreadable: ") + error.what() + ")";
    }
    out << "  name " << DumpQuoted(name.DisplayName()) << " scope="
        << (name.sheet == 0 ? std::string("workbook")
                            : name.sheet <= book.sheets.size() ? DumpQuoted(book.sheets[name.sheet - 1u].name)
                                                              : "sheet" + std::to_string(name.sheet))
        << (name.builtIn ? " built-in" : "") << (name.options & 0x0001 ? " hidden" : "")
        << " formula=" << DumpQuoted(formula) << '\n';
  }
}

}  // namespace quillora::engine
