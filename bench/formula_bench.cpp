// The budget sheet's formulas: compiling and recalculating its 22 totals over 142 amounts, and
// formatting 142 amounts with its currency format.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

#include <string>
#include <vector>

#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/Recalculator.h"
#include "spreadsheet/numfmt/NumberFormat.h"

namespace {

using namespace quillora::engine;

constexpr int kRows = 118;
constexpr int kColumns = 3;
// First input row, last input row and total row of each section (1-based, as on the sheet).
constexpr int kSections[10][3] = {{9, 19, 20},  {24, 29, 30}, {34, 38, 39},  {43, 48, 49},   {53, 55, 56},
                                  {60, 65, 66}, {70, 78, 79}, {83, 92, 93}, {97, 100, 101}, {106, 116, 117}};

// A one-sheet workbook stored as a flat grid, as a model would hold a small sheet.
class GridBook final : public RecalcWorkbook {
 public:
  GridBook() : cells_(kRows * kColumns) {
    double amount = 1.25;
    for (const auto& section : kSections) {
      for (int row = section[0]; row <= section[1]; ++row) {
        for (int column = 1; column <= 2; ++column) {
          cells_[Index(row - 1, column)] = amount;
          amount += 17.5;
        }
      }
    }
  }

  void AddFormula(int row, int column, std::vector<std::uint8_t> tokens) {
    formulas_.push_back({CellAddress{row - 1, column}, std::move(tokens)});
  }

  Value CellValue(int sheet, CellAddress cell) const override {
    if (sheet != 0 || cell.row < 0 || cell.row >= kRows || cell.column < 0 || cell.column >= kColumns) return {};
    return cells_[Index(cell.row, cell.column)];
  }
  void ForEachValue(int sheet, const CellRange& range,
                    const std::function<void(CellAddress, const Value&)>& visit) const override {
    if (sheet != 0) return;
    for (int row = std::max(range.rowFirst, 0); row <= std::min(range.rowLast, kRows - 1); ++row) {
      for (int column = std::max(range.columnFirst, 0); column <= std::min(range.columnLast, kColumns - 1); ++column) {
        const Value& v = cells_[Index(row, column)];
        if (!std::holds_alternative<std::monostate>(v)) visit(CellAddress{row, column}, v);
      }
    }
  }
  void ForEachFormula(const std::function<void(const FormulaCell&)>& visit) const override {
    for (const auto& [cell, tokens] : formulas_) visit(FormulaCell{0, cell, tokens});
  }
  void SetFormulaResult(int, CellAddress cell, const Value& result) override {
    cells_[Index(cell.row, cell.column)] = result;
  }

 private:
  static std::size_t Index(int row, int column) { return static_cast<std::size_t>(row * kColumns + column); }
  std::vector<Value> cells_;
  std::vector<std::pair<CellAddress, std::vector<std::uint8_t>>> formulas_;
};

void AddTemplateFormulas(GridBook& book) {
  for (const std::string column : {"B", "C"}) {
    std::string grand = "SUM(";
    for (const auto& section : kSections) {
      const std::string total = column + std::to_string(section[2]);
      book.AddFormula(section[2], column[0] - 'A',
                      CompileFormula("SUM(" + column + std::to_string(section[0]) + ":" + column +
                                     std::to_string(section[1]) + ")"));
      grand += (grand.size() > 4 ? "," : "") + total;
    }
    book.AddFormula(4, column[0] - 'A', CompileFormula(grand + ")"));
  }
}

void BM_CompileAndRecalcTemplate(benchmark::State& state) {
  for (auto _ : state) {
    GridBook book;
    AddTemplateFormulas(book);
    const RecalcSummary summary = Recalculate(book);
    benchmark::DoNotOptimize(summary.evaluated);
    if (summary.evaluated != 22) state.SkipWithError("not every total was evaluated");
  }
}
BENCHMARK(BM_CompileAndRecalcTemplate);

void BM_RecalcTemplate(benchmark::State& state) {
  GridBook book;
  AddTemplateFormulas(book);
  const Recalculator recalculator(book);
  for (auto _ : state) {
    const RecalcSummary summary = recalculator.Run(book);
    benchmark::DoNotOptimize(summary.evaluated);
  }
}
BENCHMARK(BM_RecalcTemplate);

void BM_FormatTemplateAmounts(benchmark::State& state) {
  const NumberFormat format("\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)");
  std::vector<double> amounts;
  for (int i = 0; i < 142; ++i) amounts.push_back((i % 7 == 3 ? -1 : 1) * (i * 1234.56 + 0.005 * i));
  for (auto _ : state) {
    for (double amount : amounts) benchmark::DoNotOptimize(format.Format(amount));
  }
}
BENCHMARK(BM_FormatTemplateAmounts);

}  // namespace
