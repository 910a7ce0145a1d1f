// Keyboard order, scrolling, focus and validation of the entry window's amount fields,
// driven through the window system's input path.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <map>

#include "app/HoverFrame.h"
#include "app/PushButton.h"
#include "budget/core/Twips.h"
#include "tests/budget/Form1Harness.h"
#include "tests/budget/SampleTables.h"
#include "tests/budget/WindowInput.h"
#include "tests/support/WheelAndKeys.h"

namespace quillora {
namespace {

using testing::Click;
using testing::PressKey;

// Counts the focus gains of chosen widgets.
class FocusCounter : public QObject {
 public:
  explicit FocusCounter(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
      w->installEventFilter(this);
      counts[w] = 0;
    }
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) ++counts[watched];
    return false;
  }
  std::map<QObject*, int> counts;
};

void ExpectPanelShows(const Form1& form, int value) {
  EXPECT_EQ(form.VScroll1->value(), value);
  EXPECT_EQ(form.panelTopTwips(), -value);
  EXPECT_EQ(form.Picture1->y(), TwipsToPixels(-value));
}

TEST(Form1Fields, TabWalksAllFieldsInScreenOrderFromTheInvisibleFocusHolder) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  EXPECT_EQ(QApplication::focusWidget(), form.Command1);
  for (int c = 0; c < kCategoryCount; ++c) {
    for (int i = 0; i <= BudgetCategories()[static_cast<std::size_t>(c)].highestIndex(); ++i) {
      EXPECT_FALSE(form.field(c, i)->hasSelectedText());
    }
  }

  int walked = 0;
  for (int c = 0; c < kCategoryCount; ++c) {
    const BudgetCategory& category = BudgetCategories()[static_cast<std::size_t>(c)];
    for (int i = 0; i <= category.highestIndex(); ++i, ++walked) {
      const int scrollBefore = form.VScroll1->value();
      PressKey(&form, Qt::Key_Tab);
      QLineEdit* box = form.field(c, i);
      ASSERT_EQ(QApplication::focusWidget(), box) << category.fieldArray.data() << "(" << i << ")";
      EXPECT_EQ(box->selectedText(), "$0.00");
      const int expected = category.scrollTarget && i <= 1 ? *category.scrollTarget : scrollBefore;
      ExpectPanelShows(form, expected);
    }
  }
  EXPECT_EQ(walked, kFieldCount);
  // The scroll bar comes next and hands its focus to "Start Creating Template".
  PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form.PushButton22);
  ASSERT_EQ(form.tabOrder().size(), 1u + kFieldCount + 4u);
  EXPECT_EQ(form.tabOrder()[0], form.Command1);
  EXPECT_EQ(form.tabOrder()[kFieldCount + 1], form.VScroll1);
  EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(Form1Fields, FirstRowFieldsScrollToTheirCategoryAndOtherCategoriesStayPut) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  for (const BudgetCategory& c : BudgetCategories()) {
    for (int index : {0, 1}) {
      form.Command1->setFocus(Qt::OtherFocusReason);
      form.VScroll1->setValue(1234);
      form.field(c.position, index)->setFocus(Qt::MouseFocusReason);
      ExpectPanelShows(form, c.scrollTarget.value_or(1234));
    }
  }
  const int targets[] = {0, 7756, 15240, 22396, 26600};
  int i = 0;
  for (const BudgetCategory& c : BudgetCategories()) {
    if (c.scrollTarget) {
      EXPECT_EQ(*c.scrollTarget, targets[i++]) << c.caption;
    }
  }
  EXPECT_EQ(i, 5);
}

TEST(Form1Fields, ClickingTheSecondPhotographyRowDoesNotScrollButTheFirstRowDoes) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  form.VScroll1->setValue(15000);  // "Photography" (from 15255) fully visible
  Click(form.field(5, 2));
  EXPECT_EQ(QApplication::focusWidget(), form.field(5, 2));
  EXPECT_EQ(form.field(5, 2)->selectedText(), "$0.00");
  ExpectPanelShows(form, 15000);
  Click(form.field(5, 1));
  EXPECT_EQ(QApplication::focusWidget(), form.field(5, 1));
  ExpectPanelShows(form, 15240);
}

TEST(Form1Fields, ValidAmountsAreFormattedWhenTheFocusLeaves) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  PressKey(&form, Qt::Key_Tab);
  form.field(0, 0)->setText("1,500");
  PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(form.field(0, 0)->text(), "$1,500.00");
  EXPECT_EQ(QApplication::focusWidget(), form.field(0, 1));
  form.field(0, 1)->setText("(12)");
  Click(form.field(0, 0));
  EXPECT_EQ(form.field(0, 1)->text(), "($12.00)");
  EXPECT_EQ(QApplication::focusWidget(), form.field(0, 0));
  // An already formatted amount passes unchanged.
  PressKey(&form, Qt::Key_Backtab);
  EXPECT_EQ(form.field(0, 0)->text(), "$1,500.00");
  EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(Form1Fields, AnInvalidAmountKeepsTheFocusAndTheTargetNeverSeesIt) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  QLineEdit* leaving = form.field(0, 0);
  FocusCounter targets({form.field(0, 1), form.field(0, 4), form.PushButton6});
  PressKey(&form, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), leaving);

  QWidget* focusWhileShown = nullptr;
  h.desktop.onMessage = [&](const auto&) { focusWhileShown = QApplication::focusWidget(); };
  const auto refuse = [&](const QString& text, auto move) {
    leaving->setText(text);
    move();
    EXPECT_EQ(QApplication::focusWidget(), leaving) << text.toStdString();
    EXPECT_EQ(leaving->text(), "0");
    EXPECT_EQ(focusWhileShown, leaving);
  };
  refuse("abc", [&] { PressKey(&form, Qt::Key_Tab); });
  refuse("", [&] { PressKey(&form, Qt::Key_Backtab); });
  refuse("12abc", [&] { Click(form.field(0, 4)); });
  refuse("1e13", [&] { Click(form.PushButton6); });
  ASSERT_EQ(h.desktop.messages.size(), 4u);
  for (const auto& m : h.desktop.messages) {
    EXPECT_EQ(m.text, "Please enter a valid amount");
    EXPECT_EQ(m.title, "Quillora");
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
  }
  for (const auto& [widget, count] : targets.counts) EXPECT_EQ(count, 0);
  // The refused click did not press the button either: no "Help" message came.

  // "0" passes the next time and becomes the formatted zero.
  PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(leaving->text(), "$0.00");
  EXPECT_EQ(QApplication::focusWidget(), form.field(0, 1));
  EXPECT_EQ(h.desktop.messages.size(), 4u);
}

TEST(Form1Fields, AfterARefusalTheZeroIsSelectedSoTypingReplacesIt) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  PressKey(&form, Qt::Key_Tab);
  testing::TypeText(&form, QStringLiteral("12abc"));
  PressKey(&form, Qt::Key_Tab);
  ASSERT_EQ(h.desktop.messages.size(), 1u);
  EXPECT_EQ(form.field(0, 0)->selectedText(), "0");
  testing::TypeText(&form, QStringLiteral("7"));
  EXPECT_EQ(form.field(0, 0)->text(), "7");
  PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(form.field(0, 0)->text(), "$7.00");
  EXPECT_EQ(h.desktop.messages.size(), 1u);
}

// Where no window manager runs, the window system can leave the program without the
// keyboard focus while keys still reach the window: the window's own focus widget counts.
TEST(Form1Fields, AWindowThatIsNotActiveStillValidatesAndSelectsOnEntry) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  PressKey(&form, Qt::Key_Tab);
  ASSERT_EQ(form.focusWidget(), form.field(0, 0));
  QWidget elsewhere;
  testing::ShowAndActivate(&elsewhere);
  ASSERT_NE(QApplication::activeWindow(), &form);
  ASSERT_EQ(form.focusWidget(), form.field(0, 0));

  for (const QString& typed : {QStringLiteral("abc"), QStringLiteral("xyz")}) {
    testing::TypeText(&form, typed);
    EXPECT_EQ(form.field(0, 0)->text(), typed);  // the "0" left by a refusal was replaced
    PressKey(&form, Qt::Key_Tab);
    EXPECT_EQ(form.focusWidget(), form.field(0, 0));
    EXPECT_EQ(form.field(0, 0)->text(), "0");
  }
  EXPECT_EQ(h.desktop.messages.size(), 2u);
  // A valid amount passes; the next field is entered: its text selected, nothing appended.
  testing::TypeText(&form, QStringLiteral("12"));
  PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(form.field(0, 0)->text(), "$12.00");
  ASSERT_EQ(form.focusWidget(), form.field(0, 1));
  EXPECT_EQ(form.field(0, 1)->selectedText(), "$0.00");
  testing::TypeText(&form, QStringLiteral("5"));
  PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(form.field(0, 1)->text(), "$5.00");
  // Tabbing into "Gifts" still brings it into view.
  form.field(1, 11)->setFocus(Qt::OtherFocusReason);
  PressKey(&form, Qt::Key_Tab);
  ASSERT_EQ(form.focusWidget(), form.field(2, 0));
  ExpectPanelShows(form, 7756);
  EXPECT_EQ(h.desktop.messages.size(), 2u);
}

TEST(Form1Fields, TheWheelOverFieldsAndFramesMovesThePanelThroughItsBar) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  // A notch moves the bar by its small step per scrolled line, at most by its large step.
  const int lineSteps = QApplication::wheelScrollLines() * 500;
  const int notch = std::min(lineSteps, 1000);
  testing::SendWheel(form.field(0, 3), {0, -120});
  ExpectPanelShows(form, notch);
  testing::SendWheel(form.Frame1[0], {0, 120});
  ExpectPanelShows(form, 0);
  testing::SendWheel(form.Picture1, {0, 120});  // at the top already
  ExpectPanelShows(form, 0);
  // A high-resolution wheel: quarter notches add up.
  for (int i = 0; i < 4; ++i) testing::SendWheel(form.Frame1[0], {0, -30});
  ExpectPanelShows(form, lineSteps);
  for (int i = 0; i < 100; ++i) testing::SendWheel(form.field(0, 3), {0, -120});
  ExpectPanelShows(form, 26600);
  // The wheel over the buttons above the panel moves nothing.
  testing::SendWheel(form.PushButton7, {0, 120});
  ExpectPanelShows(form, 26600);
  EXPECT_EQ(QApplication::focusWidget(), form.Command1);
}

TEST(Form1Fields, SampleDataFillsTheTablesAndMovesNeitherFocusNorScroll) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  form.VScroll1->setValue(9000);
  Click(form.field(3, 2));
  ASSERT_EQ(QApplication::focusWidget(), form.field(3, 2));
  form.field(9, 21)->setText("junk");
  for (int round = 0; round < 2; ++round) {
    form.PushButton7->click();
    QApplication::processEvents();
    for (const BudgetCategory& c : BudgetCategories()) {
      for (int i = 0; i <= c.highestIndex(); ++i) {
        EXPECT_EQ(form.field(c.position, i)->text().toStdString(),
                  testing::kSampleTexts[static_cast<std::size_t>(c.position)]
                                       [static_cast<std::size_t>(i)]);
      }
    }
    EXPECT_EQ(QApplication::focusWidget(), form.field(3, 2));
    ExpectPanelShows(form, 9000);
  }
  EXPECT_TRUE(h.desktop.messages.empty());
  // Leaving a filled field formats it.
  PressKey(&form, Qt::Key_Tab);
  EXPECT_EQ(form.field(3, 2)->text(), "$38.00");
}

TEST(Form1Window, PointerFollowsButtonsAndBackgroundButNeverReplacesTheHourglass) {
  testing::Form1Harness h;
  h.start();
  Form1& form = *h.form;
  QLabel* label = form.Frame1[0]->findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  for (PushButton* button : {form.PushButton22, form.PushButton6, form.PushButton7}) {
    testing::MoveMouseOver(button);
    EXPECT_EQ(form.pointer().shape(), PointerShape::Custom);
    testing::MoveMouseOver(label);  // labels, fields and the panel change nothing
    EXPECT_EQ(form.pointer().shape(), PointerShape::Custom);
    testing::MoveMouseOver(form.field(0, 0));
    EXPECT_EQ(form.pointer().shape(), PointerShape::Custom);
    testing::MoveMouseOver(form.Frame1[4]);
    EXPECT_EQ(form.pointer().shape(), PointerShape::Default);
    testing::MoveMouseOver(button);
    testing::MoveMouseOver(&form, QPoint(2, 2));  // the window's own background
    EXPECT_EQ(form.pointer().shape(), PointerShape::Default);
  }
  form.pointer().set(PointerShape::Hourglass);
  testing::MoveMouseOver(form.PushButton22);
  testing::MoveMouseOver(form.Frame1[0]);
  testing::MoveMouseOver(&form, QPoint(2, 2));
  EXPECT_EQ(form.pointer().shape(), PointerShape::Hourglass);
}

TEST(Form1Window, HelpShowsTheContactAndClosingEndsTheProgram) {
  testing::Form1Harness h;
  h.start();
  Click(h.form->PushButton6);
  ASSERT_EQ(h.desktop.messages.size(), 1u);
  EXPECT_EQ(h.desktop.messages[0].text,
            "Questions? Please contact Team Tolvane at https://www.quillora.example/contact");
  EXPECT_EQ(h.desktop.messages[0].title, "Quillora");
  EXPECT_EQ(h.desktop.messages[0].icon, MessageIcon::None);
  EXPECT_EQ(h.desktop.endCount, 0);
  h.form->close();
  EXPECT_EQ(h.desktop.endCount, 1);
}

}  // namespace
}  // namespace quillora
