// quillora-cli render FILE --output OUT.png [--range A1:C118]: a picture of a range of the
// workbook's active sheet (its used range by default), as the sheet shows it on screen.
#include <optional>
#include <stdexcept>

#include "cli/Commands.h"
#include "cli/PngFile.h"
#include "spreadsheet/model/WorkbookIO.h"
#include "spreadsheet/render/SheetRenderer.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"

namespace quillora::cli {

int RunRender(const std::vector<std::string>& args) {
  std::optional<std::string> file, output, range;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--output" || arg == "--range") {
      if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
      (arg == "--output" ? output : range) = args[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      throw UsageError{"unknown option " + arg};
    } else if (file) {
      throw UsageError{"more than one workbook file given"};
    } else {
      file = arg;
    }
  }
  if (!file) throw UsageError{"no workbook file given"};
  if (!output) throw UsageError{"no --output file given"};

  // The output is checked (and its new file opened) before any work is done.
  base::FileReplacement out(*output);
  const engine::Workbook workbook = engine::ReadWorkbook(base::ReadWholeFile(*file, base::kMaxWorkbookBytes));
  const engine::Sheet& sheet = render::ActiveSheet(workbook);
  const render::CellRange cells = range ? render::ParseRange(*range) : render::UsedRange(sheet);
  const QImage image = render::RenderRange(workbook, sheet, cells);
  out.Write(EncodePng(image));
  out.Commit();
  return 0;
}

}  // namespace quillora::cli
