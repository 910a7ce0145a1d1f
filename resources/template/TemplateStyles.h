#pragma once
// The template's cell styles by role: each function describes what one kind of cell looks
// like, with parameters only for the places where a role differs between sections.
#include <cstdint>
#include <optional>
#include <string>

#include "spreadsheet/model/Workbook.h"

namespace quillora::templates {

// Colour indexes as the file stores them (palette entries are 8..63).
inline constexpr std::uint8_t kWhite = 9;
inline constexpr std::uint8_t kRed = 10;
inline constexpr std::uint8_t kLightGrey = 14;  // replaced: #EAEAEA
inline constexpr std::uint8_t kSilver = 22;     // #C0C0C0
inline constexpr std::uint8_t kGrey = 23;       // #808080
inline constexpr std::uint8_t kDustyRose = 45;  // replaced: #C37D8C

// The number format of amounts: dollars with two decimals, negatives red in parentheses.
inline constexpr const char* kCurrencyFormat = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";
inline constexpr std::uint16_t kCurrencyFormatIndex = 164;  // first index for a workbook's own

// Sets the two replaced palette entries.
void ApplyTemplatePalette(engine::Palette& palette);

// What a cell looks like, before it becomes a font and a cell format of the workbook.
struct Style {
  engine::Font font;
  bool currency = false;
  engine::HorizontalAlignment horizontal = engine::HorizontalAlignment::General;
  engine::VerticalAlignment vertical = engine::VerticalAlignment::Bottom;
  std::uint8_t indent = 0;
  std::optional<std::uint8_t> solidFill;  // colour index of a solid fill
  engine::Border left, right, top, bottom;
};

// Rows 1-5.
Style TitleBand();
Style GrandTotalHeading();
Style GrandTotalLabel();
Style GrandTotal();
Style EmptyGrandTotalLabel();   // A5
Style EmptyGrandTotalAmount();  // B5, C5

// A section: heading row (B, C carry the headings; A only the rule), title row, items, total.
Style SectionHeading(bool indented, bool rule);
Style SectionHeadingRule(bool rule);
Style SectionTitle(bool bottomRule);
Style ItemLabel(bool firstItem);
Style InputCell(bool indented, bool firstItem, bool lastItem);
Style TotalLabel();
Style SectionTotal(bool indented);

// The empty row after a section total, formatted for what might be typed there later.
Style GapLabel();          // column A: Arial 9 bold
Style GapAmount();         // B, C: currency in Arial 9 bold red
Style GapAmountPlain();    // B, C: currency in Arial 10 bold

// Interns styles as fonts and cell formats of one workbook: equal styles share one XF.
class StyleTable {
 public:
  explicit StyleTable(engine::Workbook& workbook);
  std::uint16_t Xf(const Style& style);

 private:
  std::uint16_t FontIndex(const engine::Font& font);
  engine::Workbook& workbook_;
};

}  // namespace quillora::templates
