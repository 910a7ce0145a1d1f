#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGroupBox>

#include "app/Theme.h"
#include "preview/Form2.h"
#include "tests/preview/PreviewTestSupport.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempDir.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

using preview::testing::SendMouse;
using preview::testing::SheetPicture;

// A preview window with its seams: a fake desktop, a program folder and an entry window.
class Form2Test : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_EQ(desktop.endCount, expectedEnds); }

  std::unique_ptr<Form2> load() { return std::make_unique<Form2>(context, &form1); }

  // Loads the window, hands it the sheet and a workbook file, shows it and lets the
  // first show count as the activation no window manager brings.
  std::unique_ptr<Form2> showWithSheet() {
    auto form = load();
    form->setPicture(SheetPicture());
    form->mExcelFile = QString::fromStdString(workbook().string());
    WriteBytesToFile(std::vector<std::uint8_t>{0xD0, 0xCF}, workbook());
    form->show();
    QCoreApplication::processEvents();
    return form;
  }

  std::filesystem::path workbook() const { return temp / "tamrel12345678.xls"; }

  testing::FakeDesktop desktop;
  SystemClock clock;
  SystemRandom random;
  testing::TempDir programFolder;
  testing::TempDir temp;
  AppContext context{desktop, clock, random, programFolder.path(), [this] { return temp.path(); }};
  QWidget form1;
  int expectedEnds = 0;
};

TEST_F(Form2Test, LoadsAtItsDesignedGeometryWithTheDesignedControls) {
  auto form = load();
  EXPECT_EQ(form->windowTitle(), "Quillora");
  EXPECT_EQ(form->size(), QSize(656, 623));  // 9840 x 9345 twips
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(form->windowIcon().isNull());
  EXPECT_EQ(form->Frame1->title(), "Zoom:");
  EXPECT_EQ(form->Frame1->geometry(), QRect(8, 524, 640, 57));
  EXPECT_EQ(form->PushButton1->text(), "Zoom In");
  EXPECT_EQ(form->PushButton1->parentWidget(), form->Frame1);
  EXPECT_EQ(form->PushButton2->text(), "Zoom Out");
  EXPECT_EQ(form->PushButton6->text(), "Save Results To Excel File");
  EXPECT_EQ(form->PushButton6->geometry(), QRect(328, 590, 320, 27));
  EXPECT_EQ(form->PushButton8->text(), "< Back");
  EXPECT_EQ(form->PushButton8->font().pointSizeF(), 11.25);
  EXPECT_TRUE(form->PushButton8->font().bold());
  // The window and its frame take the button face; the viewport stays white.
  EXPECT_EQ(form->palette().color(QPalette::Window), ButtonFaceColour());
  EXPECT_EQ(form->Frame1->palette().color(QPalette::Window), ButtonFaceColour());
  EXPECT_EQ(form->viewport().Picture2->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_TRUE(form->firstActivatePending());
  EXPECT_FALSE(form->pointer().hasCustomCursor());
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Form2Test, AnUnreadableHandCursorIsReportedAtStep110AndLoadingGoesOn) {
  WriteBytesToFile(std::vector<std::uint8_t>{1, 2, 3}, programFolder / "HAND-M.CUR");
  auto form = load();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.contains("in Quillora2021/08/31.Form2.Form_Load at line 110\r\r"));
  EXPECT_FALSE(form->pointer().hasCustomCursor());
}

TEST_F(Form2Test, TheFirstActivationSetsUpTheViewportOnce) {
  auto form = showWithSheet();
  EXPECT_FALSE(form->firstActivatePending());
  const preview::Viewport& model = form->viewport().model();
  EXPECT_EQ(model.vStep(), 10);
  EXPECT_EQ(form->viewport().Picture1->size(), QSize(550, 2465));

  form->PushButton2->click();  // Zoom Out
  EXPECT_EQ(model.zoom(), 0.75f);
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(form.get(), &activate);
  QCoreApplication::processEvents();
  EXPECT_EQ(model.zoom(), 0.75f);  // later activations change nothing

  // "Zoom In" at 100 % is refused for the sheet, silently.
  form->PushButton1->click();
  form->PushButton1->click();
  EXPECT_EQ(model.zoom(), 1.0f);
  EXPECT_EQ(form->viewport().Picture1->size(), QSize(550, 2465));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Form2Test, AnActivationBeforeTheShowTakesThePlaceOfTheFallback) {
  auto form = load();
  form->setPicture(SheetPicture());
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(form.get(), &activate);
  EXPECT_FALSE(form->firstActivatePending());
  form->PushButton2->click();
  form->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->viewport().model().zoom(), 0.75f);
}

TEST_F(Form2Test, BackDeletesTheWorkbookShowsTheEntryWindowAndKeepsThisOne) {
  auto form = showWithSheet();
  form->PushButton2->click();
  form->PushButton8->click();
  EXPECT_FALSE(std::filesystem::exists(workbook()));
  EXPECT_TRUE(form1.isVisible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->viewport().model().zoom(), 0.75f);  // hidden, not unloaded
  // Again with the file already gone: no failure.
  form->PushButton8->click();
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Form2Test, ANewPictureAfterBackIsShownWholeAt100Percent) {
  auto form = showWithSheet();
  form->viewport().VScroll1->setValue(300);
  form->PushButton2->click();
  form->PushButton8->click();

  form->setPicture(SheetPicture(300, 600));
  EXPECT_TRUE(form->viewport().Picture1->drawing().isNull());
  form->show();
  QCoreApplication::processEvents();
  const preview::Viewport& model = form->viewport().model();
  EXPECT_EQ(model.zoom(), 1.0f);
  EXPECT_EQ(model.origWidth(), 4498);
  EXPECT_EQ(form->viewport().Picture1->geometry(), QRect(0, 0, 300, 600));
  EXPECT_EQ(form->viewport().Zoom_Ori->picture().size(), QSize(300, 600));
  // The bars describe the new picture: 8998 - 7425 = 1573 over, 157 units of ten twips.
  EXPECT_EQ(model.vStep(), 10);
  EXPECT_EQ(form->viewport().VScroll1->maximum(), 157);
  EXPECT_EQ(form->viewport().VScroll1->value(), 0);
  EXPECT_FALSE(form->viewport().HScroll1->isEnabled());
  // The next zoom step draws the new picture, not the first one.
  form->PushButton2->click();
  EXPECT_EQ(form->viewport().Picture1->drawing().size(), QSize(225, 450));
}

TEST_F(Form2Test, BackWithoutAnEntryWindowIsReportedAndStillHides) {
  Form2 form(context, nullptr);
  form.show();
  QCoreApplication::processEvents();
  form.PushButton8->click();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.contains("Form2.PushButton8_Click at line 104\r\r"));
  EXPECT_FALSE(form.isVisible());
}

TEST_F(Form2Test, ClosingDeletesTheWorkbookAndEndsTheProgram) {
  auto form = showWithSheet();
  form->close();
  EXPECT_FALSE(std::filesystem::exists(workbook()));
  EXPECT_EQ(desktop.endCount, 1);
  EXPECT_TRUE(desktop.messages.empty());
  expectedEnds = 1;

  // A workbook already gone is no failure either.
  auto again = showWithSheet();
  std::filesystem::remove(workbook());
  again->close();
  EXPECT_TRUE(desktop.messages.empty());
  expectedEnds = 2;
}

TEST_F(Form2Test, HoveringAButtonShowsTheHandUnlessTheHourglassShows) {
  WriteBytesToFile(preview::testing::HandCursorFile(), programFolder / "HAND-M.CUR");
  auto form = showWithSheet();
  ASSERT_TRUE(form->pointer().hasCustomCursor());
  for (QWidget* button : {static_cast<QWidget*>(form->PushButton1), static_cast<QWidget*>(form->PushButton6)}) {
    SendMouse(button, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form->pointer().shape(), PointerShape::Custom);
    EXPECT_EQ(form->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(form->cursor().hotSpot(), QPoint(5, 1));
    SendMouse(form.get(), QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);  // background
    EXPECT_EQ(form->pointer().shape(), PointerShape::Default);
  }
  SendMouse(form->PushButton2, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
  SendMouse(form->Frame1, QEvent::MouseMove, {2, 30}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(form->pointer().shape(), PointerShape::Default);

  form->pointer().set(PointerShape::Hourglass);
  SendMouse(form->PushButton8, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
  SendMouse(form.get(), QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(form->pointer().shape(), PointerShape::Hourglass);
  EXPECT_EQ(form->cursor().shape(), Qt::WaitCursor);
}

TEST_F(Form2Test, ZoomingSetsThePointerBackToTheArrow) {
  auto form = showWithSheet();
  form->pointer().set(PointerShape::Hourglass);
  form->PushButton2->click();
  EXPECT_EQ(form->pointer().shape(), PointerShape::Default);
}

}  // namespace
}  // namespace quillora
