// quillora-cli pdf FILE --output OUT.pdf: the workbook's active sheet on pages, as its page
// setup says, written as a PDF.
#include <QDateTime>
#include <QFileInfo>
#include <optional>

#include "cli/Commands.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "spreadsheet/model/WorkbookIO.h"
#include "spreadsheet/render/PageOutput.h"

namespace quillora::cli {

int RunPdf(const std::vector<std::string>& args) {
  std::optional<std::string> file, output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--output") {
      if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
      output = args[++i];
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
  const QFileInfo info(QString::fromStdString(*file));
  const render::SheetPages pages(workbook, render::ActiveSheetIndex(workbook),
                                 {info.fileName(), info.absolutePath(), QDateTime::currentDateTime()});
  out.Write(render::PagesToPdf(pages, info.completeBaseName()));
  out.Commit();
  return 0;
}

}  // namespace quillora::cli
