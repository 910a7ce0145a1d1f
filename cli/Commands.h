#pragma once

#include <string>
#include <vector>

namespace quillora::cli {

// A subcommand a program runs: `run` gets the arguments after the subcommand's name,
// prints results on stdout and returns the exit code; a failure throws with one line a
// person can act on, which RunCommandLine() prints on stderr with exit code 1.
struct Command {
  const char* name;
  int (*run)(const std::vector<std::string>& args);
};

// Thrown for a wrong command line; RunCommandLine() adds the usage line.
struct UsageError {
  std::string message;
};

// dump FILE: the sheets and cells of a workbook, one line per cell.
int RunDump(const std::vector<std::string>& args);

// template OUT.xlt: the embedded workbook template, written to a new file.
int RunTemplate(const std::vector<std::string>& args);

// set FILE OUT CELL=TEXT...: cells of worksheet 1 set as typed input, recalculated, saved.
int RunSet(const std::vector<std::string>& args);

// render FILE --output OUT.png [--range A1:C118]: a picture of the active sheet's used range
// (or the range given) as the sheet shows it.
int RunRender(const std::vector<std::string>& args);

// pdf FILE --output OUT.pdf: the active sheet on pages as its page setup says, as a PDF.
int RunPdf(const std::vector<std::string>& args);

// amounts [--sample | --from FILE]: an amounts file for generate, on stdout: every amount 0,
// the sample, or the amounts of a saved budget workbook (or amounts file).
int RunAmounts(const std::vector<std::string>& args);

// generate [--sample | --amounts FILE.csv] --output OUT.xls [--picture OUT.png]: the
// generation run of the entry window, without a window.
int RunGenerate(const std::vector<std::string>& args);

}  // namespace quillora::cli
