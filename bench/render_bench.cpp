// Drawing the budget sheet's used range (A1:C118, 550 x 2467 px) to an image in process,
// with every input cell filled. Run with --benchmark_filter=Render; the median is reported.
#include <benchmark/benchmark.h>

#include "spreadsheet/render/SheetRenderer.h"
// The template-shaped workbook the renderer's tests use, compiled into this program too.
#include "tests/spreadsheet/render/RenderTestBook.cpp"

namespace {

using namespace quillora;

engine::Workbook FilledBook() {
  engine::Workbook book = engine::testing::BuildTemplateShapedBook();
  double amount = 17.25;
  for (const auto& section : engine::testing::TemplateSections())
    for (int row = section.firstInput; row <= section.lastInput; ++row)
      for (int column = 1; column < 3; ++column) {
        engine::testing::PutAmount(book, row, column, amount);
        amount = amount * 1.7 - 40;
      }
  return book;
}

void BM_RenderUsedRange(benchmark::State& state) {
  const engine::Workbook book = FilledBook();
  const engine::Sheet& sheet = book.sheets[0];
  const render::CellRange range = render::SheetUsedRange(sheet);
  for (auto _ : state) {
    QImage image = render::RenderRange(book, sheet, range);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_RenderUsedRange)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
