// The template's sheet laid out on its three pages and written as a PDF in process: what
// `quillora-cli pdf` does besides starting and reading the file. Run with
// --benchmark_filter=TemplatePdf; the median is reported.
#include <benchmark/benchmark.h>

#include "resources/resources.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/render/PageOutput.h"

namespace {

using namespace quillora;

void BM_TemplatePdf(benchmark::State& state) {
  const engine::Workbook book = engine::ReadWorkbook(resources::TemplateBytes());
  for (auto _ : state) {
    const render::SheetPages pages(book, 0, {QStringLiteral("budget.xls"), QString(), QDateTime::currentDateTime()});
    std::vector<std::uint8_t> pdf = render::PagesToPdf(pages, QStringLiteral("Wedding Budget"));
    benchmark::DoNotOptimize(pdf.data());
  }
}
BENCHMARK(BM_TemplatePdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
