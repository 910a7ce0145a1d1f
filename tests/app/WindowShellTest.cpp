#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "app/Theme.h"
#include "app/WindowPointer.h"
#include "app/core/ApplicationTitle.h"

namespace quillora {
namespace {

TEST(ApplicationTitle, CutsBeforeTheLastBlankUntilAtMost40Characters) {
  EXPECT_EQ(ApplicationTitle("Quillora"), "Quillora");  // nothing to cut
  EXPECT_EQ(ApplicationTitle("Quillora Wedding Budget"), "Quillora Wedding");
  EXPECT_EQ(ApplicationTitle("A name that is a good deal longer than forty characters in all"),
            "A name that is a good deal longer than");
  EXPECT_EQ(ApplicationTitle(" lead"), "");
}

TEST(WindowPointer, HoverRulesNeverReplaceTheHourglass) {
  QWidget window;
  WindowPointer pointer(&window);
  pointer.setCustomCursor(QCursor(Qt::PointingHandCursor));
  pointer.hoverButton();
  EXPECT_EQ(pointer.shape(), PointerShape::Custom);
  EXPECT_EQ(window.cursor().shape(), Qt::PointingHandCursor);
  pointer.hoverBackground();
  EXPECT_EQ(pointer.shape(), PointerShape::Default);
  EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

  pointer.set(PointerShape::Hourglass);
  pointer.hoverButton();
  pointer.hoverBackground();
  EXPECT_EQ(pointer.shape(), PointerShape::Hourglass);
  EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
}

TEST(WindowPointer, CustomWithoutACursorFileShowsTheArrow) {
  QWidget window;
  WindowPointer pointer(&window);
  pointer.hoverButton();
  EXPECT_EQ(pointer.shape(), PointerShape::Custom);
  EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST(Theme, ButtonFaceColourReachesFramesAndLabelsOnly) {
  QWidget window;
  auto* frame = new QGroupBox("Zoom:", &window);
  auto* label = new QLabel("Estimated", frame);
  auto* field = new QLineEdit(&window);
  PaintBackground(field, Qt::white);
  UseButtonFaceColour(&window);
  const QColor face = ButtonFaceColour();
  EXPECT_EQ(window.palette().color(QPalette::Window), face);
  EXPECT_EQ(frame->palette().color(QPalette::Window), face);
  EXPECT_EQ(label->palette().color(QPalette::Window), face);
  EXPECT_EQ(field->palette().color(QPalette::Window), QColor(Qt::white));
}

}  // namespace
}  // namespace quillora
