// The engine's part of a generation run: open a template-sized workbook from memory, set the
// 142 amounts from currency text as typed input, recalculate, save to memory.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"
#include "spreadsheet/edit/TypedInput.h"
#include "spreadsheet/formula/Formula.h"

namespace {

using namespace quillora::engine;

constexpr int kItemsPerSection[10] = {8, 7, 7, 7, 7, 7, 7, 7, 7, 7};  // 71 items

struct BudgetShape {
  Workbook book;
  std::vector<CellAddress> inputs;  // the 142 amount cells, B then C along each row
};

// Columns A (labels), B and C (amounts in a currency format); ten sections of items, each
// closed by a SUM row for B and C, and a grand total row reading the ten section totals:
// 118 rows, 22 SUM formulas.
BudgetShape BudgetShapedWorkbook() {
  BudgetShape shape;
  Workbook& book = shape.book;
  book = NewWorkbook();
  book.numberFormats[164] = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";
  CellFormat currency = book.cellFormats[15];
  currency.format = 164;
  const auto xf = static_cast<std::uint16_t>(book.cellFormats.size());
  book.cellFormats.push_back(currency);
  book.isTemplate = true;

  Sheet sheet;
  sheet.name = "Wedding Budget";
  const auto formula = [](const std::string& text) { return Formula{CompileFormula(text), {}, 0, 0, {}}; };
  sheet.cells[{0, 0}] = Cell{15, std::string("Wedding Budget"), {}};
  int row = 7;
  std::string totalsB, totalsC;
  for (int section = 0; section < 10; ++section) {
    sheet.cells[{row++, 0}] = Cell{15, "Section " + std::to_string(section + 1), {}};
    const int first = row;
    for (int item = 0; item < kItemsPerSection[section]; ++item, ++row) {
      sheet.cells[{row, 0}] = Cell{15, "Item " + std::to_string(item + 1), {}};
      for (int column = 1; column <= 2; ++column) {
        sheet.cells[{row, column}] = Cell{xf, 0.0, {}};
        shape.inputs.push_back({row, column});
      }
    }
    sheet.cells[{row, 0}] = Cell{15, std::string("Total"), {}};
    sheet.cells[{row, 1}] = Cell{xf, 0.0, formula("SUM(B" + std::to_string(first + 1) + ":B" + std::to_string(row) + ")")};
    sheet.cells[{row, 2}] = Cell{xf, 0.0, formula("SUM(C" + std::to_string(first + 1) + ":C" + std::to_string(row) + ")")};
    totalsB += (section ? ",B" : "B") + std::to_string(row + 1);
    totalsC += (section ? ",C" : "C") + std::to_string(row + 1);
    row += 2;
  }
  sheet.cells[{3, 1}] = Cell{xf, 0.0, formula("SUM(" + totalsB + ")")};
  sheet.cells[{3, 2}] = Cell{xf, 0.0, formula("SUM(" + totalsC + ")")};
  for (; row < 118; ++row) sheet.cells[{row, 0}] = Cell{15, std::string("Notes"), {}};
  book.sheets.push_back(std::move(sheet));
  return shape;
}

void BM_GenerationInMemory(benchmark::State& state) {
  const BudgetShape shape = BudgetShapedWorkbook();
  const std::vector<std::uint8_t> file = WriteWorkbook(shape.book);
  std::vector<std::string> amounts;
  for (std::size_t i = 0; i < shape.inputs.size(); ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "$%zu,%03zu.%02zu", i % 9 + 1, (i * 37) % 1000, i % 100);
    amounts.emplace_back(text);
  }
  const NumberLocale locale = UnitedStatesConventions();
  std::size_t bytes = 0;
  for (auto _ : state) {
    Workbook book = ReadWorkbook(file);
    for (std::size_t i = 0; i < shape.inputs.size(); ++i) SetCellFromText(book, 0, shape.inputs[i], amounts[i], locale);
    RecalculateWorkbook(book);
    book.isTemplate = false;
    const std::vector<std::uint8_t> saved = WriteWorkbook(book);
    bytes = saved.size();
    benchmark::DoNotOptimize(saved.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GenerationInMemory)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
