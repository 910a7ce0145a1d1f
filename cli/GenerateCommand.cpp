// quillora-cli generate [--sample | --amounts FILE.csv] --output OUT.xls [--picture OUT.png]:
// the entry window's generation run without a window. The budget is all zeros, the sample
// amounts or an amounts file; the finished workbook and the sheet's picture are copied out
// and the run's temporary folder removed. Every output is checked before the run, and both
// are replaced only once both are complete: any failure means exit 1 and nothing written.
#include <QImage>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>

#include "app/HeadlessDesktop.h"
#include "app/RegionalSettings.h"
#include "budget/core/BudgetTexts.h"
#include "cli/Commands.h"
#include "cli/PngFile.h"
#include "resources/resources.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "spreadsheet/numbers/Amount.h"
#include "workbook/GenerationRun.h"
#include "workbook/core/BudgetFile.h"
#include "workbook/core/TemporaryFolder.h"

namespace quillora::cli {
namespace {

struct GenerateOptions {
  bool sample = false;
  std::optional<std::string> amounts, output, picture;
};

GenerateOptions ParseOptions(const std::vector<std::string>& args) {
  GenerateOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--sample") {
      options.sample = true;
      continue;
    }
    std::optional<std::string>* target = arg == "--amounts"   ? &options.amounts
                                         : arg == "--output"  ? &options.output
                                         : arg == "--picture" ? &options.picture
                                                              : nullptr;
    if (target == nullptr) throw UsageError{"unknown argument " + arg};
    if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
    if (*target) throw UsageError{arg + " given twice"};
    *target = args[++i];
  }
  if (options.sample && options.amounts) throw UsageError{"--sample and --amounts exclude each other"};
  if (!options.output) throw UsageError{"no --output file given"};
  return options;
}

// The field texts as the entry window would hold them: the sample as it loads, the amounts
// of an amounts file (or a saved budget) as the window shows them once it has accepted them.
BudgetTexts ReadBudget(const GenerateOptions& options, const engine::NumberLocale& locale) {
  if (options.sample) return BudgetTexts::Sample();
  if (!options.amounts) return AcceptedTexts(BudgetAmounts(), locale);
  return AcceptedTexts(ReadBudgetFile(*options.amounts, *options.amounts, locale), locale);
}

// Reports of the run go to stderr, one line each; the run goes on as it would on screen.
void PrintReport(const QString& text) {
  QString line = text;
  line.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
  std::fprintf(stderr, "quillora-cli generate: %s\n", line.simplified().toLocal8Bit().constData());
}

}  // namespace

int RunGenerate(const std::vector<std::string>& args) {
  const GenerateOptions options = ParseOptions(args);
  const engine::NumberLocale locale = SystemNumberLocale();
  const BudgetTexts fields = ReadBudget(options, locale);
  // Both outputs are checked, and their new files opened beside them, before the run.
  base::FileReplacement output(*options.output);
  std::optional<base::FileReplacement> pictureOutput;
  if (options.picture) pictureOutput.emplace(*options.picture);

  HeadlessDesktop desktop;
  desktop.onMessage = PrintReport;
  SystemClock clock;
  SystemRandom random;
  ExcelSession session(EmbeddedSpreadsheet(locale));
  GenerationServices services{desktop, clock, random, session, resources::TemplateBytes,
                              [] { return ResolveTemporaryFolder(ProcessEnvironment); }};
  QString workbookPath;
  QImage picture;
  GenerationWindowSteps windows;
  windows.showPicture = [&](const QImage& shown) { picture = shown; };
  windows.takeWorkbook = [&](const QString& path) { workbookPath = path; };
  // The run's folder, with the temporary workbook, goes when this command ends.
  std::shared_ptr<base::RunFolder> runFolder;
  windows.keepRunFolder = [&](std::shared_ptr<base::RunFolder> folder) { runFolder = std::move(folder); };
  RunWorkbookGeneration(services, fields, windows);

  if (desktop.messages > 0 || workbookPath.isEmpty() || picture.isNull())
    throw std::runtime_error("the generation run failed; nothing was written");

  output.Write(base::ReadWholeFile(workbookPath.toStdString(), base::kMaxWorkbookBytes));
  if (pictureOutput) WritePng(picture, [&](std::span<const std::uint8_t> bytes) { pictureOutput->Write(bytes); });
  output.Finish();
  if (pictureOutput) pictureOutput->Finish();
  output.Commit();
  if (pictureOutput) pictureOutput->Commit();
  return 0;
}

}  // namespace quillora::cli
