// Reading and writing a workbook the size of the budget template (one sheet, 117 rows of
// labels, amounts and SUM formulas, about thirty cell formats).
#include <benchmark/benchmark.h>

#include "spreadsheet/biff/WorkbookIO.h"

namespace {

using namespace quillora::engine;

Workbook TemplateSizedWorkbook() {
  Workbook book = NewWorkbook();
  book.palette.colors[14 - 8] = Rgb{0xEA, 0xEA, 0xEA};
  for (int i = 0; i < 6; ++i) {
    Font font;
    font.name = i % 2 ? "Tahoma" : "Arial";
    font.height = static_cast<std::uint16_t>(200 + 20 * i);
    font.weight = i % 3 ? 700 : 400;
    book.fonts.push_back(font);
  }
  book.numberFormats[164] = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";
  for (int i = 0; i < 30; ++i) {
    CellFormat xf;
    xf.font = static_cast<std::uint16_t>(5 + i % 6);
    xf.format = i % 2 ? 164 : 0;
    xf.top = {BorderStyle::Thin, 22};
    xf.fillPattern = i % 3 == 0;
    xf.fillForeground = 14;
    book.cellFormats.push_back(xf);
  }
  Sheet sheet;
  sheet.name = "Wedding Budget";
  for (int row = 0; row < 117; ++row) {
    sheet.cells[{row, 0}].value = "Item label number " + std::to_string(row);
    sheet.cells[{row, 0}].xf = static_cast<std::uint16_t>(21 + row % 30);
    for (int column = 1; column < 3; ++column) {
      Cell& cell = sheet.cells[{row, column}];
      cell.xf = static_cast<std::uint16_t>(21 + (row + column) % 30);
      if (row % 10 == 9) {
        cell.value = 1234.5;
        cell.formula = Formula{};
        cell.formula->tokens = {0x25, 0, 0, 8, 0, 1, 0xC0, 1, 0xC0, 0x42, 1, 4, 0};
      }
    }
    RowInfo info;
    info.height = 300;
    info.customHeight = true;
    sheet.rows[row] = info;
  }
  sheet.merges.push_back(CellRange{0, 0, 0, 2});
  book.sheets.push_back(std::move(sheet));
  return book;
}

void BM_WriteTemplateSizedWorkbook(benchmark::State& state) {
  const Workbook book = TemplateSizedWorkbook();
  for (auto _ : state) benchmark::DoNotOptimize(WriteWorkbook(book));
}
BENCHMARK(BM_WriteTemplateSizedWorkbook);

void BM_ReadTemplateSizedWorkbook(benchmark::State& state) {
  const std::vector<std::uint8_t> bytes = WriteWorkbook(TemplateSizedWorkbook());
  for (auto _ : state) benchmark::DoNotOptimize(ReadWorkbook(bytes));
}
BENCHMARK(BM_ReadTemplateSizedWorkbook);

}  // namespace
