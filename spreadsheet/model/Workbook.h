#pragma once
// The workbook model: plain structs a reader fills from a BIFF8 file and a builder can fill
// in code. Indexes (font, number format, cell format, palette colour) are the ones the file
// stores, so the model and the file agree one to one.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "spreadsheet/drawing/DrawingModel.h"
#include "spreadsheet/model/Boxed.h"
#include "spreadsheet/model/CompoundEntries.h"
#include "spreadsheet/model/DefinedName.h"
#include "spreadsheet/model/SheetSettings.h"
#include "spreadsheet/model/Value.h"

namespace quillora::engine {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour index a font uses for "automatic" (window text).
inline constexpr std::uint16_t kAutomaticFontColor = 0x7FFF;
// System colour indexes: window text and window background.
inline constexpr std::uint16_t kSystemForeground = 64;
inline constexpr std::uint16_t kSystemBackground = 65;

// The 56 changeable colours, palette indexes 8..63. Written as a PALETTE record only when
// some entry differs from the standard colours.
struct Palette {
  std::array<Rgb, 56> colors = Standard();

  static const std::array<Rgb, 56>& Standard();
  // Colour of palette index `index`: 0-7 fixed, 8-63 these entries, 64/0x7FFF black
  // (window text), 65 white (window background); anything else black.
  Rgb At(std::uint16_t index) const;
  bool IsStandard() const { return colors == Standard(); }
  friend bool operator==(const Palette&, const Palette&) = default;
};

struct Font {
  std::string name = "Arial";
  std::uint16_t height = 200;  // in twips (1/20 point)
  bool italic = false;
  bool strikeout = false;
  bool outline = false;
  bool shadow = false;
  std::uint16_t color = kAutomaticFontColor;
  std::uint16_t weight = 400;  // 400 regular, 700 bold
  std::uint16_t escapement = 0;  // 0 none, 1 superscript, 2 subscript
  std::uint8_t underline = 0;    // 0 none, 1 single, 2 double, 0x21/0x22 accounting
  std::uint8_t family = 0;
  std::uint8_t charset = 0;
  bool Bold() const { return weight >= 700; }
  friend bool operator==(const Font&, const Font&) = default;
};

enum class BorderStyle : std::uint8_t {
  None = 0, Thin, Medium, Dashed, Dotted, Thick, Double, Hair,
  MediumDashed, DashDot, MediumDashDot, DashDotDot, MediumDashDotDot, SlantDashDot,
};

struct Border {
  BorderStyle style = BorderStyle::None;
  std::uint8_t color = 0;  // palette index (7 bits)
  friend bool operator==(const Border&, const Border&) = default;
};

enum class HorizontalAlignment : std::uint8_t {
  General = 0, Left, Center, Right, Fill, Justify, CenterAcrossSelection, Distributed,
};
enum class VerticalAlignment : std::uint8_t { Top = 0, Center, Bottom, Justify, Distributed };

// One XF record: a cell format (isStyle false) or a cell style's format (isStyle true).
struct CellFormat {
  std::uint16_t font = 0;    // index into Workbook::fonts
  std::uint16_t format = 0;  // number format index (built-in or Workbook::numberFormats)
  bool locked = true;
  bool hidden = false;
  bool isStyle = false;
  bool quotePrefix = false;
  std::uint16_t parent = 0;  // style XF of a cell format; 0xFFF for a style
  HorizontalAlignment horizontal = HorizontalAlignment::General;
  bool wrap = false;
  VerticalAlignment vertical = VerticalAlignment::Bottom;
  bool justifyLastLine = false;
  std::uint8_t rotation = 0;
  std::uint8_t indent = 0;  // 0..15 levels
  bool shrinkToFit = false;
  std::uint8_t readingOrder = 0;
  // Which attribute groups this XF sets itself (bits: number format, font, alignment,
  // border, fill, protection). For a style the meaning is inverted, as the file has it.
  std::uint8_t usedAttributes = 0x3F;
  Border left, right, top, bottom;
  Border diagonal;
  bool diagonalDown = false;  // top-left to bottom-right
  bool diagonalUp = false;
  std::uint8_t fillPattern = 0;  // 0 none, 1 solid, 2.. patterns
  std::uint8_t fillForeground = kSystemForeground;  // pattern colour (the solid fill's colour)
  std::uint8_t fillBackground = kSystemBackground;
  friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

// A STYLE record: a named style pointing at a style XF.
struct CellStyle {
  std::uint16_t xf = 0;
  bool builtIn = true;
  std::uint8_t builtInId = 0;  // 0 Normal, 3 Comma, 4 Currency, 5 Percent, 6 Comma [0], 7 Currency [0]
  std::uint8_t outlineLevel = 0xFF;
  std::string name;  // user-defined styles only
  friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

// A record the engine does not interpret, kept to be written back unchanged. `after` is
// the type of the interpreted record it followed (0: none yet), which fixes where it goes.
struct KeptRecord {
  std::uint16_t type = 0;
  std::vector<std::uint8_t> data;
  std::vector<std::vector<std::uint8_t>> continues;  // its CONTINUE records
  std::uint16_t after = 0;
  friend bool operator==(const KeptRecord&, const KeptRecord&) = default;
};

// The BOF record's version fields (the substream type is implied by its place).
struct BofInfo {
  std::uint16_t build = 0x0DBB;
  std::uint16_t year = 0x07CC;
  std::uint32_t history = 0;
  std::uint32_t lowestVersion = 6;
  friend bool operator==(const BofInfo&, const BofInfo&) = default;
};

// A formula cell's stored formula: the parsed tokens exactly as read (or built).
struct Formula {
  std::vector<std::uint8_t> tokens;  // rgce
  std::vector<std::uint8_t> extra;   // data after the tokens (array constants and the like)
  std::uint16_t options = 0;         // 0x01 always calculate, 0x02 calculate on load, 0x08 shared
  std::uint32_t chain = 0;           // reserved field, kept as read
  // SHRFMLA, ARRAY or TABLE record that followed the formula, kept unchanged (rare: boxed,
  // so a formula stays small).
  Boxed<KeptRecord> companion;
  friend bool operator==(const Formula&, const Formula&) = default;
};

// A cell: a value (monostate for a blank cell), its cell format, and for a formula cell
// the formula with `value` as its cached result (monostate: empty result).
struct Cell {
  std::uint16_t xf = 15;
  Value value;
  Boxed<Formula> formula;
  friend bool operator==(const Cell&, const Cell&) = default;
};

struct RowInfo {
  std::uint16_t height = 255;  // twips
  bool customHeight = false;   // height set by the user rather than by the content
  bool hidden = false;
  std::uint8_t outlineLevel = 0;
  bool collapsed = false;
  std::optional<std::uint16_t> xf;  // row format, when the row has one
  bool thickTop = false;
  bool thickBottom = false;
  bool phonetic = false;
  bool heightFlag = false;  // the high bit stored with the height, kept as read
  friend bool operator==(const RowInfo&, const RowInfo&) = default;
};

struct ColumnInfo {
  std::uint16_t first = 0, last = 0;  // zero-based, inclusive
  std::uint16_t width = 2340;         // 1/256 of the standard font's digit width
  std::uint16_t xf = 15;
  bool hidden = false;
  bool customWidth = true;
  bool bestFit = false;
  bool phonetic = false;
  std::uint8_t outlineLevel = 0;
  bool collapsed = false;
  friend bool operator==(const ColumnInfo&, const ColumnInfo&) = default;
};

// WINDOW2 option bits.
enum WindowOption : std::uint16_t {
  kWindowFormulas = 0x0001,
  kWindowGridlines = 0x0002,
  kWindowHeadings = 0x0004,
  kWindowFrozen = 0x0008,
  kWindowZeros = 0x0010,
  kWindowDefaultGridColor = 0x0020,
  kWindowRightToLeft = 0x0040,
  kWindowOutline = 0x0080,
  kWindowFrozenNoSplit = 0x0100,
  kWindowSelected = 0x0200,
  kWindowActive = 0x0400,
  kWindowPageBreakPreview = 0x0800,
};

// WINDOW2 of a worksheet.
struct SheetWindow {
  std::uint16_t options = 0x06B6;  // WindowOption bits
  std::uint16_t topRow = 0;
  std::uint16_t leftColumn = 0;
  std::uint16_t gridColor = kSystemForeground;
  std::uint16_t pageBreakZoom = 0;
  std::uint16_t normalZoom = 0;

  bool Has(std::uint16_t option) const { return (options & option) != 0; }
  void Set(std::uint16_t option, bool on) {
    options = static_cast<std::uint16_t>(on ? options | option : options & ~option);
  }
  bool ShowGridlines() const { return Has(kWindowGridlines); }
  bool ShowHeadings() const { return Has(kWindowHeadings); }
  bool ShowZeros() const { return Has(kWindowZeros); }
  bool FrozenPanes() const { return Has(kWindowFrozen); }
  friend bool operator==(const SheetWindow&, const SheetWindow&) = default;
};

enum class SheetVisibility : std::uint8_t { Visible = 0, Hidden = 1, VeryHidden = 2 };

struct Sheet {
  std::string name;
  SheetVisibility visibility = SheetVisibility::Visible;
  std::uint8_t boundType = 0;     // BOUNDSHEET type: 0 worksheet, 1 macro sheet, 2 chart, 6 module
  std::uint16_t bofType = 0x0010;  // 0x10 worksheet, 0x20 chart, 0x40 macro sheet
  BofInfo bof;
  std::map<CellAddress, Cell> cells;  // ordered by row, then column
  std::map<int, RowInfo> rows;        // by zero-based row
  std::vector<ColumnInfo> columns;
  std::uint16_t defaultColumnWidth = 8;  // characters
  std::uint16_t defaultRowHeight = 255;  // twips
  std::uint16_t defaultRowOptions = 0;
  SheetWindow window;
  // SCL: zoom as a fraction (numerator, denominator); absent means 100 %.
  std::optional<std::pair<std::uint16_t, std::uint16_t>> zoom;
  std::optional<Pane> pane;           // PANE
  std::vector<Selection> selections;  // SELECTION records, one per pane
  std::optional<CalcSettings> calculation;
  std::optional<std::uint16_t> sheetOptions;  // WSBOOL: kSheetFitToPage, kSheetOptionsDefault
  PageSetup pageSetup;
  std::optional<SheetProtection> protection;
  // Pictures of the sheet drawing, with their anchors and store entries. A drawing that
  // holds other shapes (charts, comments, text boxes) stays in `kept` as read.
  std::vector<SheetPicture> pictures;
  // Ignored error checks (FEATHEADR and FEAT records of the formula-error kind).
  std::vector<IgnoredErrors> ignoredErrors;
  std::vector<CellRange> merges;
  std::vector<KeptRecord> kept;
  // A sheet the engine does not interpret (chart, module): `kept` holds every record
  // between its BOF and EOF, written back as they were.
  bool opaque = false;
  friend bool operator==(const Sheet&, const Sheet&) = default;
};

// WINDOW1: the workbook window.
struct BookWindow {
  std::uint16_t left = 0x01E0, top = 0x005A, width = 0x3FCF, height = 0x2A4E;
  std::uint16_t options = 0x0038;
  std::uint16_t activeSheet = 0, firstVisibleTab = 0, selectedTabs = 1, tabRatio = 0x0258;
  friend bool operator==(const BookWindow&, const BookWindow&) = default;
};

struct Workbook {
  BofInfo bof;
  std::uint16_t codePage = 1200;
  // A template (.xlt): a TEMPLATE record follows the globals' BOF. Saving as a workbook clears it.
  bool isTemplate = false;
  BookWindow window;
  bool date1904 = false;
  Palette palette;
  // Fonts by the index cell formats use. Files never store index 4, so fonts[4] is a
  // placeholder that is not written (a list of four or fewer fonts has none).
  std::vector<Font> fonts;
  std::map<std::uint16_t, std::string> numberFormats;  // FORMAT records by index
  std::vector<CellFormat> cellFormats;                 // XF records by index
  std::vector<CellStyle> styles;
  std::vector<Sheet> sheets;
  std::optional<BookProtection> protection;  // WINDOWPROTECT, PROTECT, PASSWORD
  std::optional<bool> fullPrecision;         // PRECISION; false: precision as displayed
  std::vector<ExternSheet> externSheets;     // EXTERNSHEET
  std::vector<DefinedName> names;            // NAME records, in file order (tName indexes them from 1)
  PictureStore pictures;                     // the drawing group's picture store
  std::vector<KeptRecord> kept;
  // Everything else the file holds (document properties, a macro project, data stores):
  // streams besides the workbook stream, those inside storages included, and the storages.
  std::vector<CompoundStream> otherStreams;
  std::vector<CompoundStorage> otherStorages;
  friend bool operator==(const Workbook&, const Workbook&) = default;
};

// A workbook with the standard fonts (Arial 10), the 21 standard style formats, the
// default cell format 15, the six built-in styles, and no sheets.
Workbook NewWorkbook();

// "A1" form of a zero-based address.
std::string CellName(const CellAddress& at);

}  // namespace quillora::engine
