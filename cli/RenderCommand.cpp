// quillora-cli render FILE --output OUT.png [--range A1:C118]: a picture of a range of the
// workbook's active sheet (its used range by default), as the sheet shows it on screen.
#include <optional>
#include <stdexcept>

#include "cli/Commands.h"
#include "cli/FileArguments.h"
#include "cli/PngFile.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/render/SheetRenderer.h"

namespace quillora::cli {

int RunRender(const std::vector<std::string>& args) {
  const FileArguments parsed = ParseFileArguments(args, {"--output", "--range"}, {"--output"});
  const std::string& file = parsed.file;
  const std::string output = *parsed.value("--output");
  const std::optional<std::string> range = parsed.value("--range");

  // The output is checked (and its new file opened) before any work is done.
  base::FileReplacement out(output);
  const engine::Workbook workbook = engine::ReadWorkbook(base::ReadWholeFile(file, base::kMaxWorkbookBytes));
  const engine::Sheet& sheet = render::ActiveSheet(workbook);
  const render::CellRange cells = range ? render::ParseRange(*range) : render::SheetUsedRange(sheet);
  const QImage image = render::RenderRange(workbook, sheet, cells);
  WritePng(image, [&out](std::span<const std::uint8_t> bytes) { out.Write(bytes); });
  out.Commit();
  return 0;
}

}  // namespace quillora::cli
