// The whole generation run in process, as "Start Creating Template" makes it: the embedded
// template copied to a temporary folder, the 142 sample amounts written, the workbook saved
// under a fresh name, reopened in a second instance, its sheet drawn to the clipboard, the
// picture file written and loaded back. The temporary workbook is removed after each run.
#include <benchmark/benchmark.h>

#include <QString>
#include <filesystem>
#include <unistd.h>

#include "app/HeadlessDesktop.h"
#include "app/core/Services.h"
#include "resources/resources.h"
#include "workbook/GenerationRun.h"

namespace {

using namespace quillora;

void BM_GenerationRun(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quillora-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  HeadlessDesktop desktop;
  SystemClock clock;
  SystemRandom random;
  ExcelSession session(EmbeddedSpreadsheet(engine::UnitedStatesConventions()));
  GenerationServices services{desktop, clock, random, session, resources::TemplateBytes, [&] { return folder; }};
  const BudgetTexts fields = BudgetTexts::Sample();
  QString workbook;
  QImage picture;
  GenerationWindowSteps windows;
  windows.showPicture = [&](const QImage& shown) { picture = shown; };
  windows.takeWorkbook = [&](const QString& path) { workbook = path; };
  for (auto _ : state) {
    RunWorkbookGeneration(services, fields, windows);
    benchmark::DoNotOptimize(picture.constBits());
    state.PauseTiming();
    std::filesystem::remove(workbook.toStdString());
    state.ResumeTiming();
  }
  std::filesystem::remove_all(folder);
  if (desktop.messages > 0) state.SkipWithError("the generation run reported failures");
}
BENCHMARK(BM_GenerationRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
