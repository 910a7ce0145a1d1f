// Recalculation and compound-file reading at scale: a chain of formulas 30,000 and 240,000
// long (time per formula should stay flat), 20,000 formulas that each sum the whole sheet,
// and a workbook carrying 20,000 empty streams, read and written.
#include <benchmark/benchmark.h>

#include "bench/inputs/BenchWorkbooks.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"

namespace {

using namespace quillora::engine;

constexpr int kSumFormulas = 20000, kEmptyStreams = 20000;

void BM_RecalcChain(benchmark::State& state) {
  const int formulas = static_cast<int>(state.range(0));
  Workbook book = quillora::bench::FormulaChain(formulas + 1);
  for (auto _ : state) benchmark::DoNotOptimize(RecalculateWorkbook(book));
  state.SetItemsProcessed(state.iterations() * formulas);
  state.counters["ns_per_formula"] = benchmark::Counter(
      static_cast<double>(formulas), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecalcChain)->Arg(30000)->Arg(240000)->Unit(benchmark::kMillisecond);

void BM_RecalcWholeSheetSums(benchmark::State& state) {
  Workbook book = quillora::bench::WholeSheetSums(kSumFormulas);
  for (auto _ : state) benchmark::DoNotOptimize(RecalculateWorkbook(book));
}
BENCHMARK(BM_RecalcWholeSheetSums)->Unit(benchmark::kMillisecond);

void BM_ReadManyStreams(benchmark::State& state) {
  const std::vector<std::uint8_t> file = WriteWorkbook(quillora::bench::ManyEmptyStreams(kEmptyStreams));
  for (auto _ : state) benchmark::DoNotOptimize(ReadWorkbook(file));
}
BENCHMARK(BM_ReadManyStreams)->Unit(benchmark::kMillisecond);

void BM_WriteManyStreams(benchmark::State& state) {
  const Workbook book = quillora::bench::ManyEmptyStreams(kEmptyStreams);
  for (auto _ : state) benchmark::DoNotOptimize(WriteWorkbook(book));
}
BENCHMARK(BM_WriteManyStreams)->Unit(benchmark::kMillisecond);

}  // namespace
