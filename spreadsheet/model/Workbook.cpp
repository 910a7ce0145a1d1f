#include "spreadsheet/model/Workbook.h"

#include "spreadsheet/base/A1Text.h"

namespace quillora::engine {
namespace {

constexpr Rgb FromHex(std::uint32_t rgb) {
  return Rgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

constexpr std::array<std::uint32_t, 56> kStandardPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

CellFormat StyleFormat(std::uint16_t font, std::uint16_t format, std::uint8_t used) {
  CellFormat xf;
  xf.font = font;
  xf.format = format;
  xf.isStyle = true;
  xf.parent = 0xFFF;
  xf.usedAttributes = used;
  return xf;
}

}  // namespace

const std::array<Rgb, 56>& Palette::Standard() {
  static const std::array<Rgb, 56> colors = [] {
    std::array<Rgb, 56> result{};
    for (std::size_t i = 0; i < result.size(); ++i) result[i] = FromHex(kStandardPalette[i]);
    return result;
  }();
  return colors;
}

Rgb Palette::At(std::uint16_t index) const {
  if (index < 8) return FromHex(kStandardPalette[index]);
  if (index < 64) return colors[index - 8];
  if (index == kSystemBackground) return FromHex(0xFFFFFF);
  return FromHex(0x000000);
}

std::string CellName(const CellAddress& at) { return CellText(at.row, at.column); }

Workbook NewWorkbook() {
  Workbook book;
  book.fonts.assign(5, Font{});  // fonts 0-3 and the placeholder at 4
  // The standard style formats: Normal, fourteen outline level styles, then (after the
  // default cell format 15) Comma, Comma [0], Currency, Currency [0] and Percent.
  book.cellFormats.push_back(StyleFormat(0, 0, 0x00));
  for (int i = 1; i <= 14; ++i)
    book.cellFormats.push_back(StyleFormat(static_cast<std::uint16_t>(i <= 2 ? 1 : i <= 4 ? 2 : 0), 0, 0x3D));
  CellFormat cell;
  cell.usedAttributes = 0x00;
  book.cellFormats.push_back(cell);
  for (std::uint16_t format : {43, 41, 44, 42, 9}) book.cellFormats.push_back(StyleFormat(1, format, 0x3E));
  book.styles = {{16, true, 3, 0xFF, ""}, {17, true, 6, 0xFF, ""}, {18, true, 4, 0xFF, ""},
                 {19, true, 7, 0xFF, ""}, {0, true, 0, 0xFF, ""}, {20, true, 5, 0xFF, ""}};
  return book;
}

}  // namespace quillora::engine
