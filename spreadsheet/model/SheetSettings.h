#pragma once
// Settings a worksheet carries besides its cells: calculation, protection, window extras
// (zoom, panes, selection), page setup and the ignored error checks. A record the file did
// not hold is an empty optional and is not written, so a workbook read from elsewhere keeps
// exactly the records it had.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/model/Value.h"

namespace quillora::engine {

// CALCMODE, CALCCOUNT, REFMODE, ITERATION, DELTA and SAVERECALC: a worksheet stores the
// workbook's calculation settings; they are written together.
struct CalcSettings {
  std::int16_t mode = 1;  // 0 manual, 1 automatic, -1 automatic except tables
  std::uint16_t iterationCount = 100;
  bool a1References = true;  // false: R1C1
  bool iteration = false;
  double maxChange = 0.001;
  bool recalcBeforeSave = true;
  bool Automatic() const { return mode == 1; }
  friend bool operator==(const CalcSettings&, const CalcSettings&) = default;
};

// Workbook protection: WINDOWPROTECT, PROTECT and PASSWORD of the workbook globals.
struct BookProtection {
  bool windows = false;     // window layout locked
  bool structure = false;   // sheets cannot be added, moved or deleted
  std::uint16_t password = 0;  // password hash, 0 none
  friend bool operator==(const BookProtection&, const BookProtection&) = default;
};

// Sheet protection: PROTECT, SCENPROTECT, OBJPROTECT and PASSWORD of a worksheet; the
// last three are written only when present.
struct SheetProtection {
  bool contents = false;
  std::optional<bool> scenarios;
  std::optional<bool> objects;
  std::optional<std::uint16_t> password;  // password hash
  friend bool operator==(const SheetProtection&, const SheetProtection&) = default;
};

// PANE: the split or frozen panes of a window.
struct Pane {
  std::uint16_t x = 0;  // frozen: columns left of the split; split: position in 1/20 point
  std::uint16_t y = 0;  // frozen: rows above the split
  std::uint16_t topRow = 0;      // first row shown in the lower pane
  std::uint16_t leftColumn = 0;  // first column shown in the right pane
  std::uint8_t activePane = 3;   // 0 lower right, 1 upper right, 2 lower left, 3 upper left
  friend bool operator==(const Pane&, const Pane&) = default;
};

// SELECTION: the active cell and the selected ranges of one pane.
struct Selection {
  std::uint8_t pane = 3;
  CellAddress active;
  std::uint16_t activeRange = 0;  // index into ranges of the range holding the active cell
  std::vector<CellRange> ranges;  // an empty list is written as the active cell alone
  friend bool operator==(const Selection&, const Selection&) = default;
};

// SETUP: the printer settings of a sheet.
struct PrintSetup {
  std::uint16_t paperSize = 1;  // 1 Letter, 9 A4, ...
  std::uint16_t scale = 100;    // percent; not in effect when the sheet fits to pages
  std::uint16_t firstPageNumber = 1;  // used only when useFirstPageNumber
  std::uint16_t fitWidth = 1;   // pages wide (0: as many as needed)
  std::uint16_t fitHeight = 1;  // pages tall (0: as many as needed)
  // Option bits: 0x01 over then down (clear: down then over), 0x02 portrait, 0x04 the
  // printer fields are not set, 0x08 black and white, 0x10 draft, 0x20 notes,
  // 0x40 orientation not set, 0x80 first page number given.
  std::uint16_t options = 0x0002;
  std::uint16_t resolution = 600;          // dots per inch
  std::uint16_t verticalResolution = 600;  // dots per inch
  double headerMargin = 0.5;  // inches
  double footerMargin = 0.5;  // inches
  std::uint16_t copies = 1;

  bool Portrait() const { return options & 0x02; }
  bool OverThenDown() const { return options & 0x01; }
  bool UseFirstPageNumber() const { return options & 0x80; }
  friend bool operator==(const PrintSetup&, const PrintSetup&) = default;
};

// Page setup records of a worksheet, in the order they are written.
struct PageSetup {
  std::optional<bool> printHeadings;   // PRINTHEADERS
  std::optional<bool> printGridlines;  // PRINTGRIDLINES
  std::optional<bool> gridSet;         // GRIDSET: the gridline print option was changed
  std::optional<std::string> header;   // HEADER: "&L..&C..&R.." codes; "" an empty record
  std::optional<std::string> footer;   // FOOTER
  std::optional<bool> centerHorizontally;  // HCENTER
  std::optional<bool> centerVertically;    // VCENTER
  // LEFTMARGIN, RIGHTMARGIN, TOPMARGIN, BOTTOMMARGIN in inches; absent: the defaults.
  std::optional<double> leftMargin, rightMargin, topMargin, bottomMargin;
  std::optional<PrintSetup> setup;  // SETUP
  friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

// WSBOOL bit that scales the printout to PrintSetup::fitWidth x fitHeight pages.
inline constexpr std::uint16_t kSheetFitToPage = 0x0100;
// WSBOOL as Excel writes it for a plain sheet (automatic page breaks shown, outline
// symbols, summary rows below and columns right).
inline constexpr std::uint16_t kSheetOptionsDefault = 0x04C1;

// Error checks a spreadsheet application can be told to skip (FEAT, FFErrorCheck bits).
enum IgnoredError : std::uint32_t {
  kIgnoreCalculationError = 0x01,
  kIgnoreEmptyCellReference = 0x02,  // "formula refers to empty cells"
  kIgnoreNumberAsText = 0x04,
  kIgnoreInconsistentRange = 0x08,
  kIgnoreInconsistentFormula = 0x10,
  kIgnoreTwoDigitYear = 0x20,
  kIgnoreUnlockedFormula = 0x40,
  kIgnoreDataValidation = 0x80,
};

// One FEAT record of the ignored-error kind: ranges and the checks skipped on them.
struct IgnoredErrors {
  std::vector<CellRange> ranges;
  std::uint32_t flags = kIgnoreEmptyCellReference;  // IgnoredError bits
  friend bool operator==(const IgnoredErrors&, const IgnoredErrors&) = default;
};

}  // namespace quillora::engine
