// The engine on budget-like sheets of 10^3, 10^4 and 10^5 cells built in memory (see
// bench/inputs/BenchWorkbooks.h): read a file's bytes, recalculate, write, and draw the used
// range (at 10^5 cells the rows that fit the picture's 32767-pixel side). Run with
// --benchmark_filter=BudgetScale.
#include <benchmark/benchmark.h>

#include "bench/inputs/BenchWorkbooks.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"
#include "spreadsheet/render/SheetRenderer.h"

namespace {

using namespace quillora;

void ScaleSizes(benchmark::internal::Benchmark* bench) {
  bench->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

void BM_BudgetScaleRead(benchmark::State& state) {
  const auto bytes = engine::WriteWorkbook(bench::BudgetSheet(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(engine::ReadWorkbook(bytes));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BudgetScaleRead)->Apply(ScaleSizes);

void BM_BudgetScaleRecalc(benchmark::State& state) {
  engine::Workbook book = bench::BudgetSheet(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(engine::RecalculateWorkbook(book));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BudgetScaleRecalc)->Apply(ScaleSizes);

void BM_BudgetScaleWrite(benchmark::State& state) {
  const engine::Workbook book = bench::BudgetSheet(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(engine::WriteWorkbook(book));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BudgetScaleWrite)->Apply(ScaleSizes);

void BM_BudgetScaleRender(benchmark::State& state) {
  const engine::Workbook book = bench::BudgetSheet(static_cast<int>(state.range(0)));
  const engine::Sheet& sheet = book.sheets[0];
  render::CellRange range = render::SheetUsedRange(sheet);
  // Keep the rows whose picture fits one side's limit (every row has the same height).
  const int height = render::RangeImageSize(book, sheet, range).height();
  if (height > render::kMaxImageSide)
    range.rowLast = range.rowFirst + static_cast<int>(static_cast<long long>(range.RowCount()) *
                                                      render::kMaxImageSide / height) - 1;
  for (auto _ : state) {
    QImage image = render::RenderRange(book, sheet, range);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["rows"] = range.RowCount();
}
BENCHMARK(BM_BudgetScaleRender)->Apply(ScaleSizes);

}  // namespace
