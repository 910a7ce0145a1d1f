#include "spreadsheet/dump/Dump.h"

#include <charconv>
#include <cstdio>
#include <variant>
#include <vector>

#include "spreadsheet/dump/DumpText.h"
#include "spreadsheet/numfmt/WorkbookFormats.h"

namespace quillora::engine {

std::string DumpNumber(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string DumpQuoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

namespace {

constexpr const char* kBorderNames[] = {
    "none", "thin", "medium", "dashed", "dotted", "thick", "double", "hair", "medium-dashed",
    "dash-dot", "medium-dash-dot", "dash-dot-dot", "medium-dash-dot-dot", "slant-dash-dot"};
constexpr const char* kHorizontal[] = {"general", "left", "center", "right", "fill", "justify", "center-across", "distributed"};
constexpr const char* kVertical[] = {"top", "center", "bottom", "justify", "distributed"};


const char* ErrorText(ErrorCode code) {
  switch (code) {
    case ErrorCode::Null: return "#NULL!";
    case ErrorCode::Div0: return "#DIV/0!";
    case ErrorCode::Value: return "#VALUE!";
    case ErrorCode::Ref: return "#REF!";
    case ErrorCode::Name: return "#NAME?";
    case ErrorCode::Num: return "#NUM!";
    case ErrorCode::NA: return "#N/A";
  }
  return "#ERROR";
}

// Type name and text of a value.
std::pair<const char*, std::string> Describe(const Value& value) {
  return std::visit(
      [](const auto& v) -> std::pair<const char*, std::string> {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) return {"blank", "-"};
        else if constexpr (std::is_same_v<T, double>) return {"number", DumpNumber(v)};
        else if constexpr (std::is_same_v<T, std::string>) return {"text", DumpQuoted(v)};
        else if constexpr (std::is_same_v<T, bool>) return {"boolean", v ? "TRUE" : "FALSE"};
        else return {"error", ErrorText(v)};
      },
      value);
}

std::string Colour(const Palette& palette, std::uint16_t index) {
  if (index == kAutomaticFontColor || index == kSystemForeground || index == 0x7F) return "auto";
  const Rgb rgb = palette.At(index);
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", rgb.red, rgb.green, rgb.blue);
  return buffer;
}

std::string BorderText(const Palette& palette, const Border& border) {
  if (border.style == BorderStyle::None) return "none";
  const auto style = static_cast<std::size_t>(border.style);
  return std::string(style < std::size(kBorderNames) ? kBorderNames[style] : "unknown") + " " +
         Colour(palette, border.color);
}

std::string FillText(const Palette& palette, const CellFormat& xf) {
  if (xf.fillPattern == 0) return "none";
  if (xf.fillPattern == 1) return "solid " + Colour(palette, xf.fillForeground);
  return "pattern" + std::to_string(xf.fillPattern) + " " + Colour(palette, xf.fillForeground) + " " +
         Colour(palette, xf.fillBackground == kSystemBackground ? 9 : xf.fillBackground);
}

// Everything a cell line says after its value: the same for every cell of one format, so
// it is built once per format.
std::string FormatText(const Workbook& book, const CellFormat& xf) {
  static const Font default_font;
  const Font& font = xf.font < book.fonts.size() ? book.fonts[xf.font] : default_font;
  std::string text = "\tformat=" + DumpQuoted(NumberFormatCode(book, xf.format));
  text += "\tfont=" + DumpQuoted(font.name) + ' ' + DumpNumber(font.height / 20.0) + ' ';
  text += font.Bold() ? "bold " : "regular ";
  text += font.italic ? "italic " : "upright ";
  text += Colour(book.palette, font.color) + "\tfill=" + FillText(book.palette, xf);
  text += "\tleft=" + BorderText(book.palette, xf.left) + "\tright=" + BorderText(book.palette, xf.right);
  text += "\ttop=" + BorderText(book.palette, xf.top) + "\tbottom=" + BorderText(book.palette, xf.bottom);
  text += "\talign=";
  text += kHorizontal[static_cast<int>(xf.horizontal) & 7];
  text += ' ';
  text += static_cast<std::size_t>(xf.vertical) < std::size(kVertical) ? kVertical[static_cast<int>(xf.vertical)]
                                                                       : "unknown";
  text += " indent" + std::to_string(xf.indent) + '\n';
  return text;
}

// The cell lines of one sheet, gathered in a buffer written out in large pieces.
// `formats` holds each format's text once built, for all sheets; its last entry serves a
// format index out of range.
void DumpCells(const Workbook& book, const Sheet& sheet, std::vector<std::string>& formats, std::ostream& out) {
  static const CellFormat default_format;
  std::string lines;
  constexpr std::size_t kChunk = 1 << 16;
  for (const auto& [at, cell] : sheet.cells) {
    const bool known = cell.xf < book.cellFormats.size();
    std::string& format = formats[known ? cell.xf : formats.size() - 1];
    if (format.empty()) format = FormatText(book, known ? book.cellFormats[cell.xf] : default_format);
    const auto [type, value] = Describe(cell.value);
    lines += CellName(at);
    lines += '\t';
    if (cell.formula) {
      lines += "formula:";
      lines += std::holds_alternative<std::monostate>(cell.value) ? "empty" : type;
    } else {
      lines += type;
    }
    lines += '\t';
    lines += value;
    lines += format;
    if (lines.size() >= kChunk) {
      out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
      lines.clear();
    }
  }
  out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
}

}  // namespace

void DumpWorkbook(const Workbook& book, std::ostream& out) {
  std::vector<std::string> formats(book.cellFormats.size() + 1);
  for (std::size_t s = 0; s < book.sheets.size(); ++s) {
    const Sheet& sheet = book.sheets[s];
    const char* kind = sheet.opaque ? (sheet.bofType == 0x20 ? "chart" : "other") : "worksheet";
    const char* visibility = sheet.visibility == SheetVisibility::Visible ? "visible"
                             : sheet.visibility == SheetVisibility::Hidden ? "hidden" : "very-hidden";
    out << "sheet " << s + 1 << ' ' << DumpQuoted(sheet.name) << ' ' << kind << ' ' << visibility << '\n';
    DumpCells(book, sheet, formats, out);
    if (!sheet.opaque) DumpSheetSettings(book, sheet, out);
  }
  DumpBookSettings(book, out);
}

}  // namespace quillora::engine
