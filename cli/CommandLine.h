#pragma once
// The command line both programs behind quillora-cli share: the subcommands' usage lines,
// which of them draw, and running one of them with the same messages and exit codes.
#include <span>
#include <string_view>

#include "cli/Commands.h"

namespace quillora::cli {

// True for the subcommands that draw (render, pdf, generate): they run in the drawing
// program, which loads the GUI libraries; the others run without them.
bool IsDrawingCommand(std::string_view name);

// Runs the subcommand argv[1] from `commands` and returns the exit code. `help` prints every
// subcommand's usage; no subcommand, or one not in `commands`, is a usage error (exit 1).
int RunCommandLine(int argc, char** argv, std::span<const Command> commands);

}  // namespace quillora::cli
