#pragma once
// The subcommands that draw run in a second program beside quillora-cli in the program
// folder, so the other subcommands start without the GUI libraries.
#include <string>

namespace quillora::cli {

// The drawing program's file name, in the folder of the running program file.
inline constexpr const char* kDrawingProgramName = "quillora-cli-draw";

// The folder of the program file this process runs, with a trailing slash (a link to the
// file, such as one in /usr/bin, is resolved). Throws when the system does not tell.
std::string ProgramFolder();

// Replaces this process by the drawing program with the same arguments, so it keeps the
// process id, signals and standard streams. Returns only when that fails, after one line
// on stderr naming the subcommand and the reason, with exit code 1.
int RunDrawingProgram(char** argv);

}  // namespace quillora::cli
