// The refused amount with the real message box, closed by a timer: the box takes the
// focus while it is open, and afterwards the field has it back without the focus handler
// running again and without the target ever gaining it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/QtDesktop.h"
#include "app/RegionalSettings.h"
#include "budget/Form1.h"
#include "tests/budget/Form1Harness.h"
#include "tests/budget/WindowInput.h"

namespace quillora {
namespace {

TEST(Form1RealMessageBox, RefusedAmountShowsTheBoxAndTheFocusStays) {
  QtDesktop desktop;
  testing::FixedClock clock;
  testing::ScriptedRandom random;
  testing::TempDir folder;
  AppContext context{desktop, clock, random, folder.path(), [&] { return folder.path(); }};
  Form1 form(context, NumberLocaleFrom(QLocale("en_US")));
  form.Form_Load();
  testing::ShowAndActivate(&form);

  int targetFocusGains = 0;
  QLineEdit* leaving = form.field(2, 0);
  QLineEdit* target = form.field(2, 1);
  struct Counter : QObject {
    int* count;
    explicit Counter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::FocusIn) ++*count;
      return false;
    }
  } counter(&targetFocusGains);
  target->installEventFilter(&counter);

  leaving->setFocus(Qt::TabFocusReason);
  testing::Settle();
  ASSERT_EQ(form.VScroll1->value(), 7756);  // first "Gifts" row
  form.VScroll1->setValue(8000);
  leaving->setText("twelve");

  QString shownText, shownTitle;
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shownText = box->text();
    shownTitle = box->windowTitle();
    box->button(QMessageBox::Ok)->click();
  });
  closer.start();
  testing::PressKey(&form, Qt::Key_Tab);
  closer.stop();
  // The window manager activates the window again once the box is gone; without one,
  // the test does it.
  testing::ShowAndActivate(&form);

  EXPECT_EQ(shownText, "Please enter a valid amount");
  EXPECT_EQ(shownTitle, "Quillora");
  EXPECT_EQ(leaving->text(), "0");
  EXPECT_EQ(QApplication::focusWidget(), leaving);
  EXPECT_EQ(targetFocusGains, 0);
  EXPECT_EQ(form.VScroll1->value(), 8000);  // the focus coming back is no new entry

  testing::PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(leaving->text(), "$0.00");
  EXPECT_EQ(QApplication::focusWidget(), target);
  EXPECT_EQ(targetFocusGains, 1);
}

}  // namespace
}  // namespace quillora
