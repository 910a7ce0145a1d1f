// quillora-cli: the engine's tools without a window. The subcommands that draw run in the
// drawing program beside this one; the rest run here on the engine alone, without Qt.
#include <clocale>

#include "app/core/ProcessHeap.h"
#include "cli/CommandLine.h"
#include "cli/DrawingProgram.h"

int main(int argc, char** argv) {
  using namespace quillora::cli;
  if (argc >= 2 && IsDrawingCommand(argv[1])) return RunDrawingProgram(argv);
  quillora::PrepareProcessHeap();
  // The user's regional settings shape the C library's messages and numbers, as the
  // drawing program's application object sets them.
  std::setlocale(LC_ALL, "");
  static const Command commands[] = {
      {"dump", RunDump}, {"template", RunTemplate}, {"set", RunSet}, {"amounts", RunAmounts}};
  return RunCommandLine(argc, argv, commands);
}
