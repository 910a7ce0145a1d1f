// The main road through both windows with the fake desktop: sample data, "Start Creating
// Template", the preview, zoom and drag, saving, "< Back", a second run, and closing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <filesystem>

#include "preview/Form2.h"
#include "spreadsheet/automation/Automation.h"
#include "tests/budget/Form1Harness.h"
#include "tests/support/Mouse.h"
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

// Only the generated workbooks lie in the temporary folder.
std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  return names;
}

TEST(MainRoad, SampleGeneratePreviewBackGenerateAgainAndClose) {
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
  EXPECT_EQ(FilesIn(road.temporaryFolder()), std::vector<std::string>{first.filename().string()});
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

  // "< Back": the workbook goes, the entry window returns with every field as typed.
  preview.PushButton8->click();
  EXPECT_FALSE(fs::exists(first));
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
  EXPECT_EQ(road.desktop.endCount, 1);
}

}  // namespace
}  // namespace quillora
