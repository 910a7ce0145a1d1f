// The generation run end to end without windows: the cells it writes, the files it makes and
// removes in the temporary folder, its handling of planted links and old files, and a run on
// an engine that cannot start.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

#include "budget/core/Budget.h"
#include "resources/resources.h"
#include "spreadsheet/automation/Automation.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/numfmt/WorkbookFormats.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempDir.h"
#include "workbook/GenerationRun.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;
using engine::Value;
using testing::FakeDesktop;
using testing::TempDir;

class TickClock final : public Clock {
 public:
  double secondsSinceMidnight() override { return 1.0; }
  std::uint64_t fineTicks() override { return ++ticks; }
  std::uint64_t ticks = 0;
};

// Cycles through `draws`; records seeds. `onSeed` runs when the run seeds it, just before
// it draws the temporary workbook's name.
class CyclingRandom final : public RandomSource {
 public:
  explicit CyclingRandom(std::vector<double> draws) : draws_(std::move(draws)) {}
  void seed(std::uint64_t value) override {
    seeds.push_back(value);
    if (onSeed) onSeed();
  }
  double uniform() override { return draws_[next_++ % draws_.size()]; }
  std::vector<std::uint64_t> seeds;
  std::function<void()> onSeed;

 private:
  std::vector<double> draws_;
  std::size_t next_ = 0;
};

// "<module>.<routine> at line <step>" of every report shown.
QStringList ReportedSteps(const FakeDesktop& desktop) {
  QStringList steps;
  static const QRegularExpression where(QStringLiteral("\\.(\\w+\\.\\w+) at line (\\d+)"));
  for (const auto& message : desktop.messages) {
    const auto match = where.match(message.text);
    steps << (match.hasMatch() ? match.captured(1) + QLatin1Char(':') + match.captured(2) : message.text);
  }
  return steps;
}

struct Harness {
  Harness() = default;
  explicit Harness(const engine::NumberLocale& locale) : session(EmbeddedSpreadsheet(locale)) {}

  FakeDesktop desktop;
  TickClock clock;
  CyclingRandom random{{0.05, 0.15, 0.25, 0.35, 0.45, 0.55, 0.65, 0.75, 0.95}};
  ExcelSession session{EmbeddedSpreadsheet(engine::UnitedStatesConventions())};
  TempDir folder;
  GenerationServices services{desktop, clock, random, session, resources::TemplateBytes,
                              [this] { return folder.path(); }};
  std::vector<std::string> calls;
  QImage picture;
  QString workbook;
  std::vector<std::shared_ptr<base::RunFolder>> runFolders;  // as the preview keeps them

  GenerationWindowSteps windows() {
    GenerationWindowSteps steps;
    const auto note = [this](const char* name) { return [this, name] { calls.emplace_back(name); }; };
    steps.busyPointer = note("busy");
    steps.lockDrawing = note("lock");
    steps.showPicture = [this](const QImage& shown) {
      calls.emplace_back("picture");
      picture = shown;
    };
    steps.defaultPointer = note("default");
    steps.takeWorkbook = [this](const QString& path) {
      calls.emplace_back("path");
      workbook = path;
    };
    steps.keepRunFolder = [this](std::shared_ptr<base::RunFolder> folder) { runFolders.push_back(std::move(folder)); };
    steps.showPreview = note("show");
    steps.hideEntryWindow = note("hide");
    steps.unlockDrawing = note("unlock");
    return steps;
  }

  void run(const BudgetTexts& fields) { RunWorkbookGeneration(services, fields, windows()); }

  // A cell of the generated workbook, read back by a fresh engine.
  Value cell(const std::string& a1) const {
    engine::automation::Application reader;
    reader.Workbooks().Open(workbook.toStdString());
    return reader.Range(a1).GetValue();
  }
};

TEST(GenerationRunTest, WritesEveryFieldIntoItsCellAndTheTotalsFollow) {
  Harness h;
  BudgetTexts fields;
  double sum[2] = {0, 0};
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) {
      const double amount = category.position * 1000 + index + 0.25;
      fields[FieldAddress{category.position, index}] = "$" + std::to_string(amount).substr(0, std::to_string(amount).find('.') + 3);
      sum[index % 2] += amount;
    }
  fields[FieldAddress{2, 7}] = "($1,250.50)";  // Gifts item 4 actual, negative
  sum[1] += -1250.50 - (2000 + 7 + 0.25);
  h.run(fields);

  ASSERT_TRUE(h.desktop.messages.empty()) << ReportedSteps(h.desktop).join(QLatin1Char('\n')).toStdString();
  engine::automation::Application reader;
  reader.Workbooks().Open(h.workbook.toStdString());
  const auto sheet = reader.Worksheets(1);
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) {
      if (category.position == 2 && index == 7) continue;
      const Value value = sheet.Cells(category.sheetFirstRow + index / 2, 2 + index % 2).GetValue();
      EXPECT_EQ(value, Value(category.position * 1000 + index + 0.25)) << category.caption << " " << index;
    }
  EXPECT_EQ(sheet.Range("C37").GetValue(), Value(-1250.5));
  EXPECT_DOUBLE_EQ(std::get<double>(sheet.Range("B4").GetValue()), sum[0]);
  EXPECT_DOUBLE_EQ(std::get<double>(sheet.Range("C4").GetValue()), sum[1]);
  // B9 is the active cell of the saved workbook.
  EXPECT_EQ(reader.Workbooks().Item(1).Model().sheets[0].selections.front().active.row, 8);
}

// Every cell the template shows in dollars, read back from the generated workbook.
std::vector<std::string> DollarCellsOf(const engine::Workbook& book, const std::string& code) {
  std::vector<std::string> cells;
  for (const auto& [at, cell] : book.sheets[0].cells)
    if (engine::NumberFormatCode(book, book.cellFormats[cell.xf].format) == code)
      cells.push_back(std::string(1, static_cast<char>('A' + at.column)) + std::to_string(at.row + 1));
  return cells;
}

TEST(GenerationRunTest, AmountsAndTotalsTakeTheRegionalCurrencyWhileDollarsLeaveTheTemplateAlone) {
  const std::string dollars = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";
  engine::automation::Application templateReader;
  const engine::Workbook original = templateReader.Workbooks().Open("template.xlt", resources::TemplateBytes()).Model();
  const std::vector<std::string> currencyCells = DollarCellsOf(original, dollars);
  for (const char* cell : {"B4", "C4", "B9", "C19", "B39", "C116", "B117"})
    EXPECT_NE(std::find(currencyCells.begin(), currencyCells.end(), cell), currencyCells.end()) << cell;

  engine::NumberLocale german;
  german.decimalSeparator = ",";
  german.groupSeparator = ".";
  german.currencySymbol = "\u20AC";
  german.currencyPlacement = engine::CurrencyPlacement::After;
  german.currencySpacing = "\u00A0";
  Harness h(german);
  BudgetTexts fields;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) fields[FieldAddress{category.position, index}] = "0,00\u00A0\u20AC";
  fields[FieldAddress{0, 0}] = "1.234,50\u00A0\u20AC";
  h.run(fields);
  ASSERT_TRUE(h.desktop.messages.empty()) << ReportedSteps(h.desktop).join(QLatin1Char('\n')).toStdString();
  engine::automation::Application reader;
  const engine::Workbook euros = reader.Workbooks().Open(h.workbook.toStdString()).Model();
  EXPECT_EQ(DollarCellsOf(euros, "#,##0.00 \"\u20AC\"_);[Red]\\(#,##0.00 \"\u20AC\"\\)"), currencyCells);
  EXPECT_TRUE(DollarCellsOf(euros, dollars).empty());
  EXPECT_EQ(h.cell("B9"), Value(1234.5));
  EXPECT_EQ(h.cell("B4"), Value(1234.5));

  Harness us;
  us.run(BudgetTexts{});
  ASSERT_TRUE(us.desktop.messages.empty());
  const engine::Workbook same = reader.Workbooks().Open(us.workbook.toStdString()).Model();
  EXPECT_EQ(same.numberFormats, original.numberFormats);
  EXPECT_EQ(same.cellFormats, original.cellFormats);
  EXPECT_EQ(DollarCellsOf(same, dollars), currencyCells);
}

TEST(GenerationRunTest, HandsOverPictureAndPathAndCleansTheTemporaryFolder) {
  Harness h;
  h.run(BudgetTexts::Sample());
  ASSERT_TRUE(h.desktop.messages.empty()) << ReportedSteps(h.desktop).join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(h.calls, (std::vector<std::string>{"busy", "lock", "busy", "picture", "default", "path", "show",
                                               "hide", "unlock"}));
  EXPECT_EQ(h.picture.size(), QSize(550, 2467));
  const fs::path workbook = h.workbook.toStdString();
  // The run's files lie in a folder of its own inside the temporary folder, kept for the
  // preview; only the workbook is left in it: the template copy and the picture file are gone.
  ASSERT_EQ(h.runFolders.size(), 1u);
  EXPECT_EQ(workbook.parent_path(), h.runFolders[0]->path());
  EXPECT_EQ(workbook.parent_path().parent_path(), h.folder.path());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^tamrel[1-9]{8}\\.xls$"))
                  .match(QString::fromStdString(workbook.filename().string())).hasMatch());
  EXPECT_EQ(std::distance(fs::directory_iterator(h.folder.path()), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(workbook.parent_path()), fs::directory_iterator()), 1);
  EXPECT_EQ(h.cell("B9"), Value(225.0));
  EXPECT_EQ(h.cell("B4"), Value(7556.0));
  // One seed per run, from the fine clock.
  EXPECT_EQ(h.random.seeds, (std::vector<std::uint64_t>{1}));

  const QString first = h.workbook;
  h.run(BudgetTexts::Sample());
  EXPECT_NE(h.workbook, first);
  EXPECT_TRUE(fs::exists(first.toStdString()));
  // Letting go of a run's folder removes it with the workbook in it.
  h.runFolders.clear();
  EXPECT_TRUE(fs::is_empty(h.folder.path()));
}

TEST(GenerationRunTest, ARunFolderNobodyKeepsGoesWithTheRun) {
  Harness h;
  GenerationWindowSteps steps = h.windows();
  steps.keepRunFolder = nullptr;
  RunWorkbookGeneration(h.services, BudgetTexts::Sample(), steps);
  EXPECT_TRUE(h.desktop.messages.empty()) << ReportedSteps(h.desktop).join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(fs::is_empty(h.folder.path()));
}

TEST(GenerationRunTest, ANameInUseIsNeverTakenEvenAsADanglingLink) {
  Harness h;
  h.random = CyclingRandom({0.5});  // every name is tamrel55555555 ...
  h.random.onSeed = [&] {  // ... and a link of that name is planted in the run's folder
    for (const auto& entry : fs::directory_iterator(h.folder.path()))
      fs::create_symlink(h.folder / "nowhere", entry.path() / "tamrel55555555.xls");
  };
  h.run(BudgetTexts::Sample());
  // ... so the run gives up on a name, reports it and every step that needs the workbook.
  const QStringList steps = ReportedSteps(h.desktop);
  ASSERT_FALSE(steps.isEmpty());
  EXPECT_EQ(steps.front(), QStringLiteral("Form1.PushButton22_Click:236"));
  EXPECT_FALSE(fs::exists(h.folder / "nowhere"));
  EXPECT_TRUE(h.workbook.isEmpty());
  EXPECT_EQ(h.calls.back(), "unlock");
}

TEST(GenerationRunTest, UsesTheUsersOwnTemplateCopyButNeverOneBehindALink) {
  Harness h;
  {
    engine::automation::Application excel;
    auto book = excel.Workbooks().Open("template.xlt", resources::TemplateBytes());
    excel.Range("A9").SetValue("Our rings");
    auto bytes = engine::WriteWorkbook(book.Model());
    WriteBytesToFile(bytes, h.folder / "template.xlt");
  }
  h.run(BudgetTexts::Sample());
  EXPECT_EQ(h.cell("A9"), Value(std::string("Our rings")));
  EXPECT_FALSE(fs::exists(h.folder / "template.xlt"));

  // A link planted as template.xlt or temp.bmp: the files it points to stay as they were,
  // and the run uses the embedded template.
  TempDir elsewhere;
  testing::WriteText(elsewhere / "victim.xlt", "keep me");
  testing::WriteText(elsewhere / "victim.bmp", "keep me too");
  fs::create_symlink(elsewhere / "victim.xlt", h.folder / "template.xlt");
  fs::create_symlink(elsewhere / "victim.bmp", h.folder / "temp.bmp");
  h.desktop.messages.clear();
  h.run(BudgetTexts::Sample());
  EXPECT_TRUE(h.desktop.messages.empty()) << ReportedSteps(h.desktop).join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(testing::ReadText(elsewhere / "victim.xlt"), "keep me");
  EXPECT_EQ(testing::ReadText(elsewhere / "victim.bmp"), "keep me too");
  EXPECT_EQ(h.cell("A9"), Value(std::string("Engagement ring")));
  EXPECT_FALSE(h.picture.isNull());
}

TEST(GenerationRunTest, WithoutAnEngineEveryFailingStepReportsAndTheWindowStepsStillRun) {
  Harness h;
  h.session.setStarter([]() -> Application { throw std::runtime_error("ActiveX component can't create object"); });
  h.run(BudgetTexts());

  QStringList expected{QStringLiteral("Form1.PushButton22_Click:104"), QStringLiteral("Form1.PushButton22_Click:110")};
  for (const BudgetCategory& category : BudgetCategories())
    for (int item = 0; item < category.itemCount(); ++item)
      for (const int step : {116, 120}) expected << QStringLiteral("Form1.PushButton22_Click:%1").arg(step + 12 * category.position);
  for (const int step : {232, 234, 252, 254, 256, 258, 262, 266})
    expected << QStringLiteral("Form1.PushButton22_Click:%1").arg(step);
  for (const int step : {100, 102, 104}) expected << QStringLiteral("Excel1.saveCellsActivesheet:%1").arg(step);
  for (const int step : {270, 272, 274, 276}) expected << QStringLiteral("Form1.PushButton22_Click:%1").arg(step);
  EXPECT_EQ(ReportedSteps(h.desktop), expected);
  EXPECT_EQ(h.calls, (std::vector<std::string>{"busy", "lock", "busy", "default", "path", "show", "hide", "unlock"}));
  EXPECT_TRUE(h.picture.isNull());
  // The template copy was written at 108 and removed at 288, whatever failed between; the
  // run's folder, empty, went with the run.
  EXPECT_TRUE(fs::is_empty(h.folder.path()));
}

TEST(GenerationRunTest, TemporaryNamesDrawDigitsOneToNine) {
  CyclingRandom random({0.0, 0.999999999, 0.5, 0.12, 0.34, 0.56, 0.78, 0.9});
  EXPECT_EQ(TemporaryWorkbookName(random), "tamrel19524689");
}

}  // namespace
}  // namespace quillora
