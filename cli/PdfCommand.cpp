// quillora-cli pdf FILE --output OUT.pdf: the workbook's active sheet on pages, as its page
// setup says, written as a PDF.
#include <QDateTime>
#include <QFileInfo>
#include <optional>

#include "cli/Commands.h"
#include "cli/FileArguments.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/render/PageOutput.h"

namespace quillora::cli {

int RunPdf(const std::vector<std::string>& args) {
  const FileArguments parsed = ParseFileArguments(args, {"--output"}, {"--output"});
  const std::string& file = parsed.file;
  const std::string output = *parsed.value("--output");

  // The output is checked (and its new file opened) before any work is done.
  base::FileReplacement out(output);
  const engine::Workbook workbook = engine::ReadWorkbook(base::ReadWholeFile(file, base::kMaxWorkbookBytes));
  const QFileInfo info(QString::fromStdString(file));
  const render::SheetPages pages(workbook, render::ActiveSheetIndex(workbook),
                                 {info.fileName(), info.absolutePath(), QDateTime::currentDateTime()});
  out.Write(render::PagesToPdf(pages, info.completeBaseName()));
  out.Commit();
  return 0;
}

}  // namespace quillora::cli
