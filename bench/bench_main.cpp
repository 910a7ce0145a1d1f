// Benchmark entry point: an offscreen application object so benchmarks may use Qt widgets
// and the clipboard without a display; the heap set up as the programs set it up, so the
// in-process figures match theirs.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "app/core/ProcessHeap.h"

int main(int argc, char** argv) {
  quillora::PrepareProcessHeap();
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
