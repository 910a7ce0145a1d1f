// The main road through both windows with the fake desktop: sample data, "Start Creating
// Template", the preview, zoom and drag, saving and saving over, "< Back", a second run, and
// closing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QProcess>
#include <filesystem>

#include "preview/Form2.h"
#include "spreadsheet/automation/Automation.h"
#include "tests/budget/Form1Harness.h"
#include "tests/support/Mouse.h"
#include "tests/support/TempDir.h"
#include "tests/support/FileBytes.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;
using engine::Value;
using testing::SendMouse;

struct MainRoad : testing::Form1Harness {
  // Clicks "Start Creating Template" with the next draws at `draw` and lets the preview's
  // first activation run.
  Form2& generate(double draw) {
    random.next = draw;
    form->PushButton22->click();
    QCoreApplication::processEvents();
    return form->previewWindow();
  }
  fs::path temporaryFolder() const { return programFolder.path(); }
};

// The regular files in a folder.
std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  return names;
}

// B9, B4 and C4 of a workbook as xlrd reads them, or why it could not.
std::string ReadWithXlrd(const fs::path& path) {
  QProcess python;
  python.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral("-c"),
                QStringLiteral("import sys, xlrd\n"
                               "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                               "print(s.cell_value(8, 1), s.cell_value(3, 1), s.cell_value(3, 2))"),
                QString::fromStdString(path.string())});
  if (!python.waitForFinished(30000)) return "python did not finish";
  return (python.readAllStandardOutput() + python.readAllStandardError()).trimmed().toStdString();
}

TEST(MainRoad, SampleGeneratePreviewSaveBackGenerateAgainAndClose) {
  MainRoad road;
  road.start();
  road.form->PushButton7->click();
  const BudgetTexts typed = road.form->fieldTexts();

  Form2& preview = road.generate(0.3);
  ASSERT_TRUE(road.desktop.messages.empty()) << road.desktop.messageTexts().join('\n').toStdString();
  EXPECT_TRUE(preview.isVisible());
  EXPECT_FALSE(road.form->isVisible());
  EXPECT_TRUE(road.form->updatesEnabled());
  EXPECT_EQ(road.form->pointer().shape(), PointerShape::Default);
  EXPECT_FALSE(preview.firstActivatePending());
  EXPECT_EQ(preview.viewport().Zoom_Ori->picture().size(), QSize(550, 2467));
  EXPECT_EQ(preview.viewport().model().zoom(), 1.0f);
  const fs::path first = preview.mExcelFile.toStdString();
  EXPECT_EQ(first.filename(), "tamrel33333333.xls");
  // The workbook lies alone in the run's own folder inside the temporary folder.
  EXPECT_EQ(first.parent_path().parent_path(), road.temporaryFolder());
  EXPECT_EQ(FilesIn(first.parent_path()), std::vector<std::string>{first.filename().string()});
  {
    engine::automation::Application reader;
    reader.Workbooks().Open(first.string());
    EXPECT_EQ(reader.Range("B9").GetValue(), Value(225.0));
    EXPECT_EQ(reader.Range("B4").GetValue(), Value(7556.0));
  }

  // Zoom out and back in, then drag the sheet up by 30 px.
  preview.PushButton2->click();
  EXPECT_EQ(preview.viewport().model().zoom(), 0.75f);
  preview.PushButton1->click();
  EXPECT_EQ(preview.viewport().model().zoom(), 1.0f);
  preview::PictureBox* box = preview.viewport().Picture1;
  const QPoint before = box->pos();
  SendMouse(box, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(box, QEvent::MouseMove, {100, 70}, Qt::NoButton, Qt::LeftButton);
  SendMouse(box, QEvent::MouseButtonRelease, {100, 70}, Qt::LeftButton, Qt::NoButton);
  EXPECT_LT(box->pos().y(), before.y() - 20);  // moved up; the release aligns it to the bar
  EXPECT_GT(preview.viewport().VScroll1->value(), 0);

  // Save to a new name: a byte-for-byte copy that an independent reader reads.
  testing::TempDir saves;
  const fs::path target = saves / "our budget.xls";
  const QString targetText = QString::fromStdString(target.string());
  road.desktop.saveNames.push_back(targetText);
  preview.PushButton6->click();
  EXPECT_EQ(road.desktop.messageTexts(), QStringList{QStringLiteral("Done.")});
  EXPECT_EQ(quillora::testing::ReadBytes(target), quillora::testing::ReadBytes(first));
  EXPECT_EQ(ReadWithXlrd(target), "225.0 7556.0 7518.0");

  // Again to that name: the question; "No" leaves the file alone, "Yes" replaces it.
  testing::WriteText(target, "changed since");
  const QString question = QStringLiteral("Are you sure you wish to overwrite ") + targetText + QStringLiteral(" ?");
  for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    road.desktop.messages.clear();
    road.desktop.saveNames.push_back(targetText);
    road.desktop.answers.push_back(answer);
    preview.PushButton6->click();
    EXPECT_EQ(road.desktop.messageTexts(), (QStringList{question, QStringLiteral("Done.")}));
  }
  EXPECT_EQ(quillora::testing::ReadBytes(target), quillora::testing::ReadBytes(first));
  road.desktop.messages.clear();

  // "< Back": the workbook goes, the entry window returns with every field as typed.
  preview.PushButton8->click();
  EXPECT_FALSE(fs::exists(first));
  EXPECT_FALSE(fs::exists(first.parent_path()));
  EXPECT_TRUE(road.form->isVisible());
  EXPECT_FALSE(preview.isVisible());
  const BudgetTexts after = road.form->fieldTexts();
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index)
      EXPECT_EQ(after[(FieldAddress{category.position, index})], typed[(FieldAddress{category.position, index})]);

  // A second run: a new name, the same preview window showing the new picture from the top.
  Form2& again = road.generate(0.7);
  EXPECT_EQ(&again, &preview);
  EXPECT_TRUE(road.desktop.messages.empty());
  const fs::path second = again.mExcelFile.toStdString();
  EXPECT_EQ(second.filename(), "tamrel77777777.xls");
  EXPECT_TRUE(fs::exists(second));
  EXPECT_EQ(again.viewport().VScroll1->value(), 0);
  EXPECT_EQ(again.viewport().Zoom_Ori->picture().size(), QSize(550, 2467));

  // Closing the preview removes the workbook and ends the program.
  again.close();
  EXPECT_FALSE(fs::exists(second));
  EXPECT_FALSE(fs::exists(second.parent_path()));
  EXPECT_EQ(road.desktop.endCount, 1);
}

}  // namespace
}  // namespace quillora
