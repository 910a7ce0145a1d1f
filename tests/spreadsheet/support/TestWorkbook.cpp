#include "tests/spreadsheet/support/TestWorkbook.h"

namespace quillora::engine::testing {
namespace {

Font MakeFont(const char* name, int points, bool bold, bool italic, std::uint16_t color) {
  Font font;
  font.name = name;
  font.height = static_cast<std::uint16_t>(points * 20);
  font.weight = bold ? 700 : 400;
  font.italic = italic;
  font.color = color;
  return font;
}

CellFormat MakeFormat(std::uint16_t font, std::uint16_t format, HorizontalAlignment h, std::uint8_t indent) {
  CellFormat xf;
  xf.font = font;
  xf.format = format;
  xf.parent = 0;
  xf.horizontal = h;
  xf.vertical = VerticalAlignment::Center;
  xf.indent = indent;
  return xf;
}

void Put(Sheet& sheet, int row, int column, Value value, std::uint16_t xf) {
  Cell cell;
  cell.xf = xf;
  cell.value = std::move(value);
  sheet.cells[{row, column}] = std::move(cell);
}

void PutFormula(Sheet& sheet, int row, int column, std::vector<std::uint8_t> tokens, Value cached, std::uint16_t xf,
                std::uint16_t options = 0) {
  Cell cell;
  cell.xf = xf;
  cell.value = std::move(cached);
  cell.formula = Formula{};
  cell.formula->tokens = std::move(tokens);
  cell.formula->options = options;
  sheet.cells[{row, column}] = std::move(cell);
}

KeptRecord Kept(std::uint16_t type, std::vector<std::uint8_t> data, std::uint16_t after) {
  KeptRecord record;
  record.type = type;
  record.data = std::move(data);
  record.after = after;
  return record;
}

}  // namespace

std::string LongText(bool wide) {
  std::string text;
  for (int i = 0; text.size() < 9000; ++i) text += (wide ? "Größe \xE6\x97\xA5\xE6\x9C\xAC " : "Wedding line ") + std::to_string(i) + "; ";
  return text;
}

Workbook BuildTestWorkbook() {
  Workbook book = NewWorkbook();
  book.palette.colors[14 - 8] = Rgb{0xEA, 0xEA, 0xEA};
  book.palette.colors[45 - 8] = Rgb{0xC3, 0x7D, 0x8C};

  // Fonts 5.. (0-3 standard, 4 never stored).
  book.fonts.push_back(MakeFont("Monotype Corsiva", 24, false, false, 9));  // 5 title, white
  book.fonts.push_back(MakeFont("Tahoma", 11, true, false, kAutomaticFontColor));  // 6
  book.fonts.push_back(MakeFont("Tahoma", 11, true, false, 45));  // 7 grand totals
  book.fonts.push_back(MakeFont("Tahoma", 10, false, false, kAutomaticFontColor));  // 8
  book.fonts.push_back(MakeFont("Times New Roman", 12, true, true, 10));  // 9 red italic

  book.numberFormats[164] = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";
  book.numberFormats[165] = "0.000";

  // Cell formats 21..
  CellFormat title = MakeFormat(5, 0, HorizontalAlignment::Center, 0);
  title.fillPattern = 1;
  title.fillForeground = 45;
  book.cellFormats.push_back(title);  // 21
  CellFormat heading = MakeFormat(6, 0, HorizontalAlignment::Right, 1);
  heading.top = {BorderStyle::Thin, 45};
  heading.bottom = {BorderStyle::Thin, 45};
  book.cellFormats.push_back(heading);  // 22
  CellFormat input = MakeFormat(8, 164, HorizontalAlignment::Right, 1);
  input.fillPattern = 1;
  input.fillForeground = 14;
  input.left = {BorderStyle::Thin, 22};
  input.right = {BorderStyle::Thin, 22};
  input.top = {BorderStyle::Thin, 23};
  input.bottom = {BorderStyle::Thin, 22};
  book.cellFormats.push_back(input);  // 23
  CellFormat total = MakeFormat(7, 164, HorizontalAlignment::Right, 0);
  total.top = {BorderStyle::Double, 23};
  total.bottom = {BorderStyle::Double, 23};
  total.left = {BorderStyle::Medium, 22};
  total.right = {BorderStyle::Dashed, 22};
  book.cellFormats.push_back(total);  // 24
  CellFormat label = MakeFormat(8, 0, HorizontalAlignment::Left, 1);
  label.fillPattern = 3;
  label.fillForeground = 12;
  label.fillBackground = 13;
  label.wrap = true;
  book.cellFormats.push_back(label);  // 25
  CellFormat odd = MakeFormat(9, 165, HorizontalAlignment::Right, 0);
  odd.vertical = VerticalAlignment::Top;
  book.cellFormats.push_back(odd);  // 26

  book.kept.push_back(Kept(0x008D, {0, 0}, 0x003D));        // HIDEOBJ after WINDOW1
  book.kept.push_back(Kept(0x008C, {1, 0, 1, 0}, 0x0085));  // COUNTRY after the sheets

  Sheet sheet;
  sheet.name = "Wedding Budget";
  Put(sheet, 0, 0, std::string("Wedding Budget"), 21);
  Put(sheet, 0, 1, std::monostate{}, 21);
  Put(sheet, 0, 2, std::monostate{}, 21);
  sheet.merges.push_back(CellRange{0, 0, 0, 2});
  Put(sheet, 2, 1, std::string("Estimated"), 22);
  Put(sheet, 2, 2, std::string("Actual"), 22);
  Put(sheet, 3, 0, std::string("Total Expenses"), 22);
  // =SUM(B9:B19) and =SUM(C9:C19), cached 1701.5 and -250.25
  PutFormula(sheet, 3, 1, {0x25, 8, 0, 18, 0, 0x01, 0xC0, 0x01, 0xC0, 0x42, 0x01, 0x04, 0x00}, 1701.5, 24);
  PutFormula(sheet, 3, 2, {0x25, 8, 0, 18, 0, 0x02, 0xC0, 0x02, 0xC0, 0x42, 0x01, 0x04, 0x00}, -250.25, 24);
  Put(sheet, 8, 0, std::string("Boutonnières"), 25);
  Put(sheet, 8, 1, 1500.0, 23);        // RK integer
  Put(sheet, 8, 2, -250.25, 23);       // RK hundredths
  Put(sheet, 9, 1, 201.5, 23);         // RK float
  Put(sheet, 9, 2, std::monostate{}, 23);
  Put(sheet, 10, 1, 3.14159265358979, 26);  // NUMBER
  Put(sheet, 10, 2, 1e300, 26);
  Put(sheet, 11, 0, true, 0x0F);
  Put(sheet, 11, 1, false, 0x0F);
  Put(sheet, 11, 2, ErrorCode::Div0, 0x0F);
  PutFormula(sheet, 12, 0, {0x17, 3, 0, 'a', 'b', 'c'}, std::string("abc"), 0x0F);
  PutFormula(sheet, 12, 1, {0x1D, 1}, true, 0x0F, 0x01);
  PutFormula(sheet, 12, 2, {0x1C, 0x07}, ErrorCode::Div0, 0x0F);
  PutFormula(sheet, 13, 0, {0x17, 0, 0}, std::monostate{}, 0x0F);
  Put(sheet, 13, 1, std::string("\xE6\x97\xA5\xE6\x9C\xAC text"), 0x0F);  // UTF-16 in the table
  Put(sheet, 14, 0, LongText(false), 0x0F);
  Put(sheet, 15, 0, LongText(true), 0x0F);
  Put(sheet, 16, 0, std::string("Estimated"), 0x0F);  // shared with B3
  // A shared formula: D18:D19 = A*2 relative, cached 10 and 12.
  Put(sheet, 17, 0, 5.0, 0x0F);
  Put(sheet, 18, 0, 6.0, 0x0F);
  PutFormula(sheet, 17, 3, {0x01, 17, 0, 3, 0}, 10.0, 0x0F, 0x08);
  sheet.cells[{17, 3}].formula->companion =
      Kept(0x04BC, {17, 0, 18, 0, 3, 3, 0, 2, 9, 0, 0x2C, 0, 0, 0xFD, 0xC0, 0x1E, 2, 0, 0x05}, 0);
  PutFormula(sheet, 18, 3, {0x01, 17, 0, 3, 0}, 12.0, 0x0F, 0x08);
  Put(sheet, 104, 1, std::monostate{}, 23);  // formatted, empty

  auto row = [&](int index, std::uint16_t height, bool hidden = false) {
    RowInfo info;
    info.height = height;
    info.customHeight = true;
    info.hidden = hidden;
    sheet.rows[index] = info;
  };
  row(0, 900);
  row(1, 315);
  row(3, 405);
  row(101, 255, true);
  row(117, 270);
  ColumnInfo a;
  a.first = a.last = 0;
  a.width = 9142;
  ColumnInfo bc;
  bc.first = 1;
  bc.last = 2;
  bc.width = 5485;
  bc.xf = 23;
  ColumnInfo hidden;
  hidden.first = hidden.last = 5;
  hidden.width = 3000;
  hidden.hidden = true;
  sheet.columns = {a, bc, hidden};
  sheet.window.options = 0x06B6 & ~0x0002;  // no gridlines
  sheet.kept.push_back(Kept(0x0080, {0, 0, 0, 0, 0, 0, 0, 0}, 0));  // GUTS: no outline
  // SHEETEXT after WINDOW2: tab colour index 64 (window text).
  sheet.kept.push_back(Kept(0x0862, {0x62, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x14, 0, 0, 0, 0x40, 0, 0, 0}, 0x023E));
  book.sheets.push_back(std::move(sheet));

  Sheet second;
  second.name = "Zweites Blatt \xC3\xA4";
  second.visibility = SheetVisibility::Hidden;
  Put(second, 0, 0, 42.0, 0x0F);
  Put(second, 40, 3, std::string("Boutonnières"), 25);
  second.window.options = 0x02B6 & ~0x0200;
  book.sheets.push_back(std::move(second));
  return book;
}

}  // namespace quillora::engine::testing
