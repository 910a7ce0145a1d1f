#include "spreadsheet/biff/FormatRecords.h"

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/biff/RecordWriter.h"

namespace quillora::engine {
namespace {
bool Bit(std::uint32_t value, int bit) { return (value >> bit) & 1U; }
std::uint32_t Field(std::uint32_t value, int shift, int bits) { return (value >> shift) & ((1U << bits) - 1); }
std::uint8_t BorderBits(BorderStyle style) { return static_cast<std::uint8_t>(style) & 0x0F; }
}  // namespace

Font DecodeFont(std::span<const std::uint8_t> data) {
  DataReader in(data, "FONT");
  Font font;
  font.height = in.U16();
  const std::uint16_t options = in.U16();
  font.italic = Bit(options, 1);
  font.strikeout = Bit(options, 3);
  font.outline = Bit(options, 4);
  font.shadow = Bit(options, 5);
  font.color = in.U16();
  font.weight = in.U16();
  font.escapement = in.U16();
  font.underline = in.U8();
  font.family = in.U8();
  font.charset = in.U8();
  in.Skip(1);
  font.name = in.UnicodeString(1);
  return font;
}

void EncodeFont(std::vector<std::uint8_t>& out, const Font& font) {
  Put16(out, font.height);
  // Bit 0 repeats "bold" for readers that look there instead of at the weight.
  Put16(out, static_cast<std::uint16_t>(font.Bold() | (font.italic << 1) | (font.strikeout << 3) | (font.outline << 4) | (font.shadow << 5)));
  Put16(out, font.color);
  Put16(out, font.weight);
  Put16(out, font.escapement);
  Put8(out, font.underline);
  Put8(out, font.family);
  Put8(out, font.charset);
  Put8(out, 0);
  PutUnicodeString(out, font.name, 1);
}

std::pair<std::uint16_t, std::string> DecodeFormat(std::span<const std::uint8_t> data) {
  DataReader in(data, "FORMAT");
  const std::uint16_t index = in.U16();
  return {index, in.UnicodeString(2)};
}

void EncodeFormat(std::vector<std::uint8_t>& out, std::uint16_t index, const std::string& code) {
  Put16(out, index);
  PutUnicodeString(out, code, 2);
}

CellFormat DecodeXf(std::span<const std::uint8_t> data) {
  DataReader in(data, "XF");
  CellFormat xf;
  xf.font = in.U16();
  xf.format = in.U16();
  const std::uint16_t protection = in.U16();
  xf.locked = Bit(protection, 0);
  xf.hidden = Bit(protection, 1);
  xf.isStyle = Bit(protection, 2);
  xf.quotePrefix = Bit(protection, 3);
  xf.parent = static_cast<std::uint16_t>(protection >> 4);
  const std::uint8_t alignment = in.U8();
  xf.horizontal = static_cast<HorizontalAlignment>(Field(alignment, 0, 3));
  xf.wrap = Bit(alignment, 3);
  xf.vertical = static_cast<VerticalAlignment>(Field(alignment, 4, 3));
  xf.justifyLastLine = Bit(alignment, 7);
  xf.rotation = in.U8();
  const std::uint8_t indent = in.U8();
  xf.indent = static_cast<std::uint8_t>(Field(indent, 0, 4));
  xf.shrinkToFit = Bit(indent, 4);
  xf.readingOrder = static_cast<std::uint8_t>(Field(indent, 6, 2));
  xf.usedAttributes = static_cast<std::uint8_t>(in.U8() >> 2);
  const std::uint32_t lines = in.U32();
  xf.left.style = static_cast<BorderStyle>(Field(lines, 0, 4));
  xf.right.style = static_cast<BorderStyle>(Field(lines, 4, 4));
  xf.top.style = static_cast<BorderStyle>(Field(lines, 8, 4));
  xf.bottom.style = static_cast<BorderStyle>(Field(lines, 12, 4));
  xf.left.color = static_cast<std::uint8_t>(Field(lines, 16, 7));
  xf.right.color = static_cast<std::uint8_t>(Field(lines, 23, 7));
  xf.diagonalDown = Bit(lines, 30);
  xf.diagonalUp = Bit(lines, 31);
  const std::uint32_t colors = in.U32();
  xf.top.color = static_cast<std::uint8_t>(Field(colors, 0, 7));
  xf.bottom.color = static_cast<std::uint8_t>(Field(colors, 7, 7));
  xf.diagonal.color = static_cast<std::uint8_t>(Field(colors, 14, 7));
  xf.diagonal.style = static_cast<BorderStyle>(Field(colors, 21, 4));
  xf.fillPattern = static_cast<std::uint8_t>(Field(colors, 26, 6));
  const std::uint16_t fill = in.U16();
  xf.fillForeground = static_cast<std::uint8_t>(Field(fill, 0, 7));
  xf.fillBackground = static_cast<std::uint8_t>(Field(fill, 7, 7));
  return xf;
}

void EncodeXf(std::vector<std::uint8_t>& out, const CellFormat& xf) {
  Put16(out, xf.font);
  Put16(out, xf.format);
  Put16(out, static_cast<std::uint16_t>(xf.locked | (xf.hidden << 1) | (xf.isStyle << 2) | (xf.quotePrefix << 3) |
                                        ((xf.parent & 0xFFF) << 4)));
  Put8(out, static_cast<std::uint8_t>((static_cast<unsigned>(xf.horizontal) & 7) | (xf.wrap << 3) |
                                      ((static_cast<unsigned>(xf.vertical) & 7) << 4) | (xf.justifyLastLine << 7)));
  Put8(out, xf.rotation);
  Put8(out, static_cast<std::uint8_t>((xf.indent & 0x0F) | (xf.shrinkToFit << 4) | ((xf.readingOrder & 3) << 6)));
  Put8(out, static_cast<std::uint8_t>((xf.usedAttributes & 0x3F) << 2));
  Put32(out, BorderBits(xf.left.style) | (BorderBits(xf.right.style) << 4) | (BorderBits(xf.top.style) << 8) |
                 (BorderBits(xf.bottom.style) << 12) | ((xf.left.color & 0x7FU) << 16) |
                 ((xf.right.color & 0x7FU) << 23) | (static_cast<std::uint32_t>(xf.diagonalDown) << 30) |
                 (static_cast<std::uint32_t>(xf.diagonalUp) << 31));
  Put32(out, (xf.top.color & 0x7FU) | ((xf.bottom.color & 0x7FU) << 7) | ((xf.diagonal.color & 0x7FU) << 14) |
                 (static_cast<std::uint32_t>(BorderBits(xf.diagonal.style)) << 21) |
                 ((xf.fillPattern & 0x3FU) << 26));
  Put16(out, static_cast<std::uint16_t>((xf.fillForeground & 0x7F) | ((xf.fillBackground & 0x7F) << 7)));
}

CellStyle DecodeStyle(std::span<const std::uint8_t> data) {
  DataReader in(data, "STYLE");
  CellStyle style;
  const std::uint16_t xf = in.U16();
  style.xf = xf & 0xFFF;
  style.builtIn = Bit(xf, 15);
  if (style.builtIn) {
    style.builtInId = in.U8();
    style.outlineLevel = in.U8();
  } else {
    style.name = in.UnicodeString(2);
  }
  return style;
}

void EncodeStyle(std::vector<std::uint8_t>& out, const CellStyle& style) {
  Put16(out, static_cast<std::uint16_t>((style.xf & 0xFFF) | (style.builtIn ? 0x8000 : 0)));
  if (style.builtIn) {
    Put8(out, style.builtInId);
    Put8(out, style.outlineLevel);
  } else {
    PutUnicodeString(out, style.name, 2);
  }
}

void DecodePalette(std::span<const std::uint8_t> data, Palette& palette) {
  DataReader in(data, "PALETTE");
  const std::uint16_t count = in.U16();
  for (std::size_t i = 0; i < count && i < palette.colors.size(); ++i) {
    const auto rgb = in.Bytes(4);
    palette.colors[i] = Rgb{rgb[0], rgb[1], rgb[2]};
  }
}

void EncodePalette(std::vector<std::uint8_t>& out, const Palette& palette) {
  Put16(out, static_cast<std::uint16_t>(palette.colors.size()));
  for (const Rgb& c : palette.colors) {
    Put8(out, c.red);
    Put8(out, c.green);
    Put8(out, c.blue);
    Put8(out, 0);
  }
}

}  // namespace quillora::engine
