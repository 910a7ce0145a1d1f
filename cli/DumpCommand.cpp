// quillora-cli dump FILE: every sheet and every cell with a value or a format, one line each.
#include <iostream>
#include <stdexcept>

#include "cli/Commands.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/dump/Dump.h"

namespace quillora::cli {

int RunDump(const std::vector<std::string>& args) {
  // A wrong command line is one line too, like every other failure of dump.
  if (args.size() != 1)
    throw std::runtime_error("expected exactly one argument, the workbook file (usage: quillora-cli dump FILE)");
  const std::vector<std::uint8_t> bytes = base::ReadWholeFile(args[0], base::kMaxWorkbookBytes);
  const engine::Workbook workbook = engine::ReadWorkbook(bytes);
  engine::DumpWorkbook(workbook, std::cout);
  std::cout.flush();
  if (!std::cout) throw std::runtime_error("could not write the listing to standard output");
  return 0;
}

}  // namespace quillora::cli
