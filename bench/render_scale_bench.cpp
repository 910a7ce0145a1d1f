// The renderer at scale, inputs built in memory: a grid of 10^5 formatted cells drawn with and
// without 50,000 two-cell merged areas (the two should cost about the same), and 400 picture
// shapes sharing one 4000 x 4000 PNG picture. Run with --benchmark_filter=Scale.
#include <benchmark/benchmark.h>

#include "bench/inputs/BenchWorkbooks.h"
#include "spreadsheet/render/SheetRenderer.h"

namespace {

using namespace quillora;

void RenderWhole(benchmark::State& state, const engine::Workbook& book) {
  const engine::Sheet& sheet = book.sheets[0];
  const render::CellRange range = render::SheetUsedRange(sheet);
  for (auto _ : state) {
    QImage image = render::RenderRange(book, sheet, range);
    benchmark::DoNotOptimize(image.constBits());
  }
}

// 400 rows x 250 columns of 30 x 17 px: a 7500 x 6800 picture.
void BM_ScaleGridPlain(benchmark::State& state) { RenderWhole(state, bench::GridSheet(400, 250, false)); }
void BM_ScaleGridMerged(benchmark::State& state) { RenderWhole(state, bench::GridSheet(400, 250, true)); }
BENCHMARK(BM_ScaleGridPlain)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ScaleGridMerged)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_ScaleSharedPicture(benchmark::State& state) { RenderWhole(state, bench::SharedPictureSheet(400, 4000)); }
BENCHMARK(BM_ScaleSharedPicture)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
