// quillora-cli: the engine's tools without a window. The subcommands that draw run in the
// drawing program beside this one; the rest run here on the engine alone, without Qt.
#include <clocale>
#include <cstdlib>

#include "app/core/ProcessHeap.h"
#include "cli/CommandLine.h"
#include "cli/DrawingProgram.h"

namespace {

// A drawing subcommand hands the process to the drawing program before this program's own
// static objects are set up (the C library passes the arguments to early constructors too),
// so starting twice costs little more than the second start.
__attribute__((constructor(101))) void HandDrawingToTheDrawingProgram(int argc, char** argv, char**) {
  if (argc >= 2 && quillora::cli::IsDrawingCommand(argv[1])) std::_Exit(quillora::cli::RunDrawingProgram(argv));
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillora::cli;
  quillora::PrepareProcessHeap();
  // The user's regional settings shape the C library's messages and numbers, as the
  // drawing program's application object sets them.
  std::setlocale(LC_ALL, "");
  static const Command commands[] = {
      {"dump", RunDump}, {"template", RunTemplate}, {"set", RunSet}, {"amounts", RunAmounts}};
  return RunCommandLine(argc, argv, commands);
}
