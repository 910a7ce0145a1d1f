#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QScrollBar>
#include <QGroupBox>

#include "app/Theme.h"
#include "preview/Form2.h"
#include "tests/preview/PreviewTestSupport.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/WheelAndKeys.h"
#include "tests/support/TempDir.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

using preview::testing::SendMouse;
using preview::testing::SheetPicture;
using quillora::testing::SendKey;
using quillora::testing::SendWheel;

// The picture's top and left edges inside the viewport, in twips.
float Top(Form2& form) { return form.viewport().model().imageBox().top; }
float Left(Form2& form) { return form.viewport().model().imageBox().left; }

// A preview window with its seams: a fake desktop, a program folder and an entry window.
class Form2Test : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_EQ(desktop.endCount, expectedEnds); }

  std::unique_ptr<Form2> load() { return std::make_unique<Form2>(context, &form1); }

  // Loads the window, hands it the sheet and a workbook file, shows it and lets the
  // first show count as the activation no window manager brings.
  std::unique_ptr<Form2> showWithSheet(int width = 550) {
    auto form = load();
    form->setPicture(SheetPicture(width));
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

// The sheet is 2465 px (36975 twips) high in a viewport 7365 twips high inside: the bar
// moves it 10 twips per unit, 30 units (one 20 px row) per arrow, 736 per page.
TEST_F(Form2Test, TheBarsStepByASheetRowAndPageByTheViewport) {
  auto form = showWithSheet();
  QScrollBar* bar = form->viewport().VScroll1;
  EXPECT_EQ(bar->singleStep(), 30);
  EXPECT_EQ(bar->pageStep(), 736);
  // A click on the track below the thumb, as the mouse gives it.
  const QPoint track(bar->width() / 2, bar->height() - 30);
  SendMouse(bar, QEvent::MouseButtonPress, track, Qt::LeftButton, Qt::LeftButton);
  SendMouse(bar, QEvent::MouseButtonRelease, track, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(form->viewport().model().bar(preview::Axis::Vertical).value, 736);
  EXPECT_EQ(Top(*form), -7360);
  EXPECT_EQ(form->viewport().Picture1->y(), -491);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(Top(*form), -7060);
  // Paging stops at the end the bar allows: the sheet's foot flush with the viewport's.
  for (int i = 0; i < 5; ++i) bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->value(), 2955);
  EXPECT_EQ(Top(*form), -29550);
}

TEST_F(Form2Test, TheWheelOverThePictureScrollsSmoothlyAndCtrlWheelZoomsAsTheButtons) {
  auto form = showWithSheet();
  auto& model = form->viewport().model();
  QWidget* picture = form->viewport().Picture1;
  const int lines = QApplication::wheelScrollLines();
  SendWheel(picture, {0, -120});  // one notch toward the user: down by that many rows
  EXPECT_EQ(Top(*form), -300.0f * lines);
  SendWheel(picture, {0, 120});
  EXPECT_EQ(Top(*form), 0);
  // A high-resolution wheel: eighths of a notch add up to exactly one notch.
  for (int i = 0; i < 8; ++i) SendWheel(picture, {0, -15});
  EXPECT_EQ(Top(*form), -300.0f * lines);
  // A touchpad: 20 pixels move the picture 20 pixels.
  SendWheel(picture, {0, -40}, {0, -20});
  EXPECT_EQ(Top(*form), -300.0f * lines - 300);
  // Shift+wheel scrolls sideways; the sheet fits across, so nothing moves.
  SendWheel(picture, {0, -120}, {}, Qt::ShiftModifier);
  EXPECT_EQ(Left(*form), 0);
  // The wheel stops where the bar does.
  for (int i = 0; i < 200; ++i) SendWheel(picture, {0, -120});
  EXPECT_EQ(Top(*form), -29550);

  // Ctrl+wheel: Zoom Out, then Zoom In back to 1.0, then Zoom In refused at 100 %.
  SendWheel(picture, {0, -120}, {}, Qt::ControlModifier);
  EXPECT_EQ(model.zoom(), 0.75f);
  EXPECT_EQ(picture->size(), QSize(412, 1849));
  SendWheel(picture, {0, 60}, {}, Qt::ControlModifier);
  EXPECT_EQ(model.zoom(), 0.75f);  // half a notch is not a step yet
  SendWheel(picture, {0, 60}, {}, Qt::ControlModifier);
  EXPECT_EQ(model.zoom(), 1.0f);
  SendWheel(picture, {0, 120}, {}, Qt::ControlModifier);
  EXPECT_EQ(model.zoom(), 1.0f);
  EXPECT_EQ(picture->size(), QSize(550, 2465));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Form2Test, ShiftWheelAndSidewaysKeysMoveAWidePictureAcross) {
  auto form = showWithSheet(1000);  // 15000 twips across a viewport 9330 wide: 567 units
  QWidget* picture = form->viewport().Picture1;
  ASSERT_TRUE(form->viewport().HScroll1->isEnabled());
  EXPECT_EQ(form->viewport().HScroll1->pageStep(), 927);
  SendWheel(picture, {0, -120}, {}, Qt::ShiftModifier);
  EXPECT_EQ(Left(*form), -300.0f * QApplication::wheelScrollLines());
  EXPECT_EQ(Top(*form), 0);
  SendWheel(picture, {120, 0});  // a sideways wheel
  EXPECT_EQ(Left(*form), 0);
  SendKey(form.get(), Qt::Key_Right);
  EXPECT_EQ(Left(*form), -300);
  SendKey(form.get(), Qt::Key_Left);
  EXPECT_EQ(Left(*form), 0);
}

TEST_F(Form2Test, KeysScrollThePictureAndPlusMinusZoom) {
  auto form = showWithSheet();
  QWidget* focused = form->PushButton6;  // keys reach whichever control has the focus
  focused->setFocus();
  SendKey(focused, Qt::Key_Down);
  EXPECT_EQ(Top(*form), -300);
  SendKey(focused, Qt::Key_PageDown);
  EXPECT_EQ(Top(*form), -7660);
  SendKey(focused, Qt::Key_Up);
  EXPECT_EQ(Top(*form), -7360);
  SendKey(focused, Qt::Key_End);
  EXPECT_EQ(Top(*form), -29550);
  SendKey(focused, Qt::Key_PageDown);
  EXPECT_EQ(Top(*form), -29550);
  SendKey(focused, Qt::Key_Home);
  EXPECT_EQ(Top(*form), 0);
  SendKey(focused, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
  EXPECT_EQ(form->viewport().model().zoom(), 0.75f);
  SendKey(focused, Qt::Key_Plus, Qt::ShiftModifier, QStringLiteral("+"));
  EXPECT_EQ(form->viewport().model().zoom(), 1.0f);
  SendKey(focused, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"));
  EXPECT_EQ(form->viewport().model().zoom(), 1.0f);  // refused at 100 %, as the button is
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quillora
