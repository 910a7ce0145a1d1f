#include <gtest/gtest.h>

#include <QWidget>

#include "preview/FormTraps.h"
#include "preview/PreviewViewport.h"
#include "tests/preview/PreviewTestSupport.h"
#include "tests/support/FakeDesktop.h"

namespace quillora::preview {
namespace {

using testing::SendMouse;

// The viewport's controls on a bare window, set up with the sheet picture.
struct ViewportOnAWindow {
  ViewportOnAWindow() {
    viewport.setPicture(testing::SheetPicture());
    UntrappedSteps steps;
    viewport.model().setUp(steps);
  }
  quillora::testing::FakeDesktop desktop;
  FormTraps traps{desktop, "Form2"};
  QWidget window;
  int pointerResets = 0;
  PreviewViewport viewport{&window, traps, [this] { ++pointerResets; }};
};

TEST(PreviewViewportWidget, ShowsTheSheetWholeInsideASunkenFrame) {
  ViewportOnAWindow w;
  EXPECT_EQ(w.viewport.Picture2->geometry(), QRect(8, 8, 622, 495));
  EXPECT_EQ(w.viewport.Picture2->contentsRect().size(), QSize(618, 491));  // 9270 x 7365
  EXPECT_EQ(w.viewport.Picture1->geometry(), QRect(0, 0, 550, 2465));
  EXPECT_TRUE(w.viewport.Zoom_Ori->isHidden());
  EXPECT_EQ(w.viewport.Zoom_Ori->picture().size(), QSize(550, 2465));
  EXPECT_FALSE(w.viewport.HScroll1->isEnabled());
  EXPECT_TRUE(w.viewport.VScroll1->isEnabled());
  EXPECT_EQ(w.viewport.VScroll1->maximum(), 2955);
  EXPECT_EQ(w.viewport.VScroll1->value(), 0);
  EXPECT_EQ(w.pointerResets, 1);
  const QImage drawn = w.viewport.Picture1->drawing();
  EXPECT_EQ(drawn.pixelColor(10, 200), QColor(Qt::red));
  EXPECT_EQ(drawn.pixelColor(540, 200), QColor(Qt::blue));
}

TEST(PreviewViewportWidget, ADragMovesThePictureAndTheBarFollowsOnRelease) {
  ViewportOnAWindow w;
  PictureBox* box = w.viewport.Picture1;
  SendMouse(box, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(box, QEvent::MouseMove, {100, 70}, Qt::NoButton, Qt::LeftButton);
  // The box moved up 30 px; in its own (new) coordinates the mouse is back at 100. The
  // sheet is narrower than the viewport: a step without horizontal movement puts it flush
  // right (1022 twips), the next one, coming out above 0, flush left.
  EXPECT_EQ(box->pos(), QPoint(68, -30));
  SendMouse(box, QEvent::MouseMove, {100, 70}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(box->pos(), QPoint(0, -60));
  EXPECT_EQ(w.viewport.VScroll1->value(), 0);  // bars stay while dragging
  SendMouse(box, QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
  // 900 of 29548 twips: 3 % of 2955 is 88.65 -> 89 units of 10 twips.
  EXPECT_EQ(w.viewport.VScroll1->value(), 89);
  EXPECT_EQ(w.viewport.model().imageBox().top, -890);
  EXPECT_EQ(box->pos(), QPoint(0, -59));
  EXPECT_TRUE(w.desktop.messages.empty());
}

TEST(PreviewViewportWidget, MovingWithoutAButtonHeldLeavesThePicture) {
  ViewportOnAWindow w;
  PictureBox* box = w.viewport.Picture1;
  SendMouse(box, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(box, QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
  SendMouse(box, QEvent::MouseMove, {100, 20}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(box->pos(), QPoint(0, 0));
  SendMouse(box, QEvent::MouseMove, {100, 20}, Qt::NoButton, Qt::RightButton);
  EXPECT_EQ(box->pos(), QPoint(68, -80));
}

TEST(PreviewViewportWidget, TheBarsMoveThePicture) {
  ViewportOnAWindow w;
  w.viewport.VScroll1->setValue(100);
  EXPECT_EQ(w.viewport.Picture1->pos(), QPoint(0, -67));  // -1000 twips
  w.viewport.VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(w.viewport.model().imageBox().top, -1300);  // one sheet row further
  w.viewport.VScroll1->setValue(2955);
  EXPECT_EQ(w.viewport.Picture1->pos(), QPoint(0, -1970));
}

TEST(PreviewViewportWidget, ZoomOutRedrawsSmallerFromTheHolder) {
  ViewportOnAWindow w;
  w.viewport.VScroll1->setValue(500);
  w.viewport.model().StepZoom(1);
  EXPECT_EQ(w.viewport.Picture1->geometry(), QRect(0, 0, 412, 1849));  // 6186 x 27729
  EXPECT_EQ(w.viewport.VScroll1->value(), 0);
  const QImage drawn = w.viewport.Picture1->drawing();
  EXPECT_EQ(drawn.size(), QSize(412, 1849));
  EXPECT_EQ(drawn.pixelColor(5, 40), QColor(Qt::green));   // band: 100 rows -> 75
  EXPECT_EQ(drawn.pixelColor(5, 90), QColor(Qt::red));
  EXPECT_EQ(drawn.pixelColor(400, 90), QColor(Qt::blue));
  // Zoom In at 100 % is refused for this picture; from 0.75 it redraws at 1.0.
  w.viewport.model().StepZoom(0);
  EXPECT_EQ(w.viewport.Picture1->size(), QSize(550, 2465));
  w.viewport.model().StepZoom(0);
  EXPECT_EQ(w.viewport.Picture1->size(), QSize(550, 2465));
  EXPECT_EQ(w.viewport.model().zoom(), 1.0f);
}

}  // namespace
}  // namespace quillora::preview
