// From the click on "Start Creating Template" to the preview shown with the sheet's picture
// set up at 100 %, in process with both real windows (offscreen). "< Back" between runs,
// untimed, removes the workbook and shows the entry window again.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <filesystem>
#include <unistd.h>

#include "app/AppContext.h"
#include "app/HeadlessDesktop.h"
#include "budget/Form1.h"
#include "preview/Form2.h"

namespace {

using namespace quillora;

void BM_ClickToPreview(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quillora-click-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  HeadlessDesktop desktop;
  SystemClock clock;
  SystemRandom random;
  AppContext context{desktop, clock, random, folder, [&] { return folder; }};
  Form1 form(context, engine::UnitedStatesConventions());
  form.Form_Load();
  form.show();
  form.PushButton7_Click();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    form.PushButton22->click();
    QCoreApplication::processEvents();  // the preview's set-up on its first show
    state.PauseTiming();
    if (!form.previewWindow().isVisible() || form.previewWindow().firstActivatePending())
      state.SkipWithError("the preview did not show");
    form.previewWindow().PushButton8->click();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  std::filesystem::remove_all(folder);
  if (desktop.messages > 0) state.SkipWithError("the run reported failures");
}
BENCHMARK(BM_ClickToPreview)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
