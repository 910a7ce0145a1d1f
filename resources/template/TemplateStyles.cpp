#include "resources/template/TemplateStyles.h"

#include <algorithm>
#include <stdexcept>

namespace quillora::templates {
namespace {

using engine::Border;
using engine::BorderStyle;
using engine::Font;
using H = engine::HorizontalAlignment;
using V = engine::VerticalAlignment;

constexpr std::uint16_t kRegular = 400;
constexpr std::uint16_t kBold = 700;

Font MakeFont(const char* name, int points, std::uint16_t weight,
              std::uint16_t color = engine::kAutomaticFontColor) {
  Font font;
  font.name = name;
  font.height = static_cast<std::uint16_t>(points * 20);
  font.weight = weight;
  font.color = color;
  return font;
}

Font Tahoma(int points, std::uint16_t weight, std::uint16_t color = engine::kAutomaticFontColor) {
  return MakeFont("Tahoma", points, weight, color);
}

constexpr Border Thin(std::uint8_t color) { return {BorderStyle::Thin, color}; }
constexpr Border Medium(std::uint8_t color) { return {BorderStyle::Medium, color}; }
constexpr Border Double(std::uint8_t color) { return {BorderStyle::Double, color}; }

// The alignment most cells share: centred vertically, one level of indent.
Style Aligned(Font font, H horizontal, bool indented = true) {
  Style style;
  style.font = std::move(font);
  style.horizontal = horizontal;
  style.vertical = V::Center;
  style.indent = indented ? 1 : 0;
  return style;
}

engine::Rgb FromHex(std::uint32_t rgb) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

}  // namespace

void ApplyTemplatePalette(engine::Palette& palette) {
  palette.colors.at(kLightGrey - 8) = FromHex(0xEAEAEA);
  palette.colors.at(kDustyRose - 8) = FromHex(0xC37D8C);
}

Style TitleBand() {
  Style style = Aligned(MakeFont("Monotype Corsiva", 24, kRegular, kWhite), H::Center, false);
  style.solidFill = kDustyRose;
  return style;
}

Style GrandTotalHeading() { return Aligned(Tahoma(11, kBold), H::Right); }

Style GrandTotalLabel() {
  Style style = Aligned(Tahoma(11, kBold), H::Right);
  style.top = style.bottom = Thin(kDustyRose);
  return style;
}

Style GrandTotal() {
  Style style = GrandTotalLabel();
  style.font = Tahoma(11, kBold, kDustyRose);
  style.currency = true;
  return style;
}

Style EmptyGrandTotalLabel() {
  Style style;
  style.font = MakeFont("Times New Roman", 12, kBold, kGrey);
  style.horizontal = H::Right;
  return style;
}

Style EmptyGrandTotalAmount() {
  Style style = EmptyGrandTotalLabel();
  style.font.color = kRed;
  style.currency = true;
  return style;
}

Style SectionHeading(bool indented, bool rule) {
  Style style = Aligned(Tahoma(10, kBold), H::Right, indented);
  if (rule) style.bottom = Medium(kDustyRose);
  return style;
}

Style SectionHeadingRule(bool rule) {
  Style style;
  style.font = Tahoma(10, kBold);
  style.vertical = V::Center;
  if (rule) style.bottom = Medium(kDustyRose);
  return style;
}

Style SectionTitle(bool bottomRule) {
  Style style = Aligned(Tahoma(10, kBold), H::Left);
  style.solidFill = kWhite;
  style.top = Medium(kDustyRose);
  if (bottomRule) style.bottom = Thin(kGrey);
  return style;
}

Style ItemLabel(bool firstItem) {
  Style style = Aligned(Tahoma(10, kRegular), H::Left);
  if (firstItem) style.top = Thin(kGrey);
  return style;
}

Style InputCell(bool indented, bool firstItem, bool lastItem) {
  Style style = Aligned(Tahoma(10, kRegular), H::Right, indented);
  style.currency = true;
  style.solidFill = kLightGrey;
  style.left = style.right = Thin(kSilver);
  style.top = Thin(firstItem ? kGrey : kSilver);
  if (!lastItem) style.bottom = Thin(kSilver);
  return style;
}

Style TotalLabel() { return Aligned(Tahoma(10, kBold), H::Left); }

Style SectionTotal(bool indented) {
  Style style = Aligned(Tahoma(10, kBold, kDustyRose), H::Right, indented);
  style.currency = true;
  style.left = style.right = Thin(kSilver);
  style.top = style.bottom = Double(kGrey);
  return style;
}

Style GapLabel() {
  Style style;
  style.font = MakeFont("Arial", 9, kBold);
  return style;
}

Style GapAmount() {
  Style style;
  style.font = MakeFont("Arial", 9, kBold, kRed);
  style.horizontal = H::Right;
  style.currency = true;
  return style;
}

Style GapAmountPlain() {
  Style style;
  style.font = MakeFont("Arial", 10, kBold);
  style.currency = true;
  return style;
}

StyleTable::StyleTable(engine::Workbook& workbook) : workbook_(workbook) {
  workbook_.numberFormats[kCurrencyFormatIndex] = kCurrencyFormat;
}

std::uint16_t StyleTable::FontIndex(const Font& font) {
  auto& fonts = workbook_.fonts;
  // Index 4 is never stored in a file, so it is no font to share.
  for (std::size_t i = 0; i < fonts.size(); ++i)
    if (i != 4 && fonts[i] == font) return static_cast<std::uint16_t>(i);
  fonts.push_back(font);
  return static_cast<std::uint16_t>(fonts.size() - 1);
}

std::uint16_t StyleTable::Xf(const Style& style) {
  engine::CellFormat xf;
  xf.font = FontIndex(style.font);
  xf.format = style.currency ? kCurrencyFormatIndex : 0;
  xf.parent = 0;
  xf.horizontal = style.horizontal;
  xf.vertical = style.vertical;
  xf.indent = style.indent;
  xf.left = style.left;
  xf.right = style.right;
  xf.top = style.top;
  xf.bottom = style.bottom;
  if (style.solidFill) {
    xf.fillPattern = 1;
    xf.fillForeground = *style.solidFill;
  }
  auto& formats = workbook_.cellFormats;
  // Cell formats 0-20 are the standard styles and the default; template formats follow.
  const auto found = std::find(formats.begin() + std::min<std::ptrdiff_t>(21, std::ssize(formats)), formats.end(), xf);
  if (found != formats.end()) return static_cast<std::uint16_t>(found - formats.begin());
  if (formats.size() >= 4000) throw std::runtime_error("the template needs more cell formats than a file holds");
  formats.push_back(xf);
  return static_cast<std::uint16_t>(formats.size() - 1);
}

}  // namespace quillora::templates
