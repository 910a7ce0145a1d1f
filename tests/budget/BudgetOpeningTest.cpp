// A saved budget taken into the entry window: opened as at start-up and dropped onto the
// window, the question before amounts are replaced, and files that cannot be read.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "app/HoverFrame.h"
#include "budget/BudgetOpening.h"
#include "resources/resources.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "tests/budget/Form1Harness.h"
#include "tests/budget/WindowInput.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;

// A budget workbook: the template with B9 = 1234.5 and C116 = -7.25.
fs::path WriteBudgetWorkbook(const fs::path& path) {
  engine::Workbook book = engine::ReadWorkbook(resources::TemplateBytes());
  book.sheets.at(0).cells[{8, 1}].value = 1234.5;
  book.sheets.at(0).cells[{115, 2}].value = -7.25;
  WriteBytesToFile(engine::WriteWorkbook(book), path);
  return path;
}

// An amounts file with every amount "0" but the estimated "Shoes" of "Apparel".
fs::path WriteAmountsFile(const fs::path& path, const std::string& shoes) {
  std::string csv = "category,item,estimated,actual\n";
  for (const BudgetCategory& category : BudgetCategories())
    for (const std::string_view item : category.items)
      csv += "\"" + std::string(category.caption) + "\",\"" + std::string(item) + "\"," +
             (item == "Shoes" ? shoes : "0") + ",0\n";
  testing::WriteText(path, csv);
  return path;
}

// Drags `file` onto `target` and drops it there, as the window system delivers a drop.
bool DropFile(QWidget* target, const fs::path& file) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
  data.setText(QString::fromStdString(file.string()));
  const QPoint centre = target->rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  testing::Settle();
  return enter.isAccepted() && drop.isAccepted();
}

QStringList FieldTexts(const Form1& form) {
  QStringList texts;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index)
      texts << form.field(category.position, index)->text();
  return texts;
}

struct OpeningHarness : testing::Form1Harness {
  OpeningHarness() { start(); }
  BudgetOpening opening{*form, desktop, NumberLocaleFrom(QLocale("en_US"))};
};

TEST(BudgetOpening, ASavedBudgetFillsTheZeroFieldsAsAcceptedAmountsWithoutAsking) {
  OpeningHarness h;
  ASSERT_TRUE(h.opening.open(QString::fromStdString(WriteBudgetWorkbook(h.programFolder / "budget.xls").string())));
  EXPECT_TRUE(h.desktop.messages.empty());
  QStringList expected(kFieldCount, QStringLiteral("$0.00"));
  expected[0] = QStringLiteral("$1,234.50");
  expected[kFieldCount - 1] = QStringLiteral("($7.25)");
  EXPECT_EQ(FieldTexts(*h.form), expected);
}

TEST(BudgetOpening, ADroppedFileReplacesAmountsOnlyWhenTheUserSaysYes) {
  OpeningHarness h;
  const fs::path file = WriteAmountsFile(h.programFolder / "amounts.csv", "\"1,500\"");
  h.form->field(2, 3)->setText(QStringLiteral("$12.00"));
  const QStringList before = FieldTexts(*h.form);

  h.desktop.answers = {MessageAnswer::No};
  EXPECT_TRUE(DropFile(h.form->field(3, 1), file));
  ASSERT_EQ(h.desktop.messages.size(), 1u);
  EXPECT_EQ(h.desktop.messages[0].text, "Replace the amounts in the window with those of amounts.csv?");
  EXPECT_EQ(h.desktop.messages[0].title, "Quillora");
  EXPECT_EQ(h.desktop.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(FieldTexts(*h.form), before);  // not even the file's name typed into the field

  h.desktop.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(DropFile(h.form->Frame1[5], file));
  EXPECT_EQ(h.desktop.messages.size(), 2u);
  EXPECT_EQ(h.form->field(0, 8)->text(), "$1,500.00");
  EXPECT_EQ(h.form->field(2, 3)->text(), "$0.00");
  EXPECT_EQ(h.form->field(3, 1)->text(), "$0.00");
}

TEST(BudgetOpening, HalfTypedTextCountsAsAnAmountToAskAbout) {
  OpeningHarness h;
  h.form->field(9, 0)->setText(QStringLiteral("12,3"));
  h.desktop.answers = {MessageAnswer::No};
  EXPECT_TRUE(DropFile(h.form.get(), WriteBudgetWorkbook(h.programFolder / "budget.xls")));
  ASSERT_EQ(h.desktop.messages.size(), 1u);
  EXPECT_EQ(h.form->field(9, 0)->text(), "12,3");
}

TEST(BudgetOpening, AFileThatCannotBeReadIsReportedByNameAndTheFieldsStay) {
  OpeningHarness h;
  h.form->field(0, 0)->setText(QStringLiteral("$5.00"));
  const QStringList before = FieldTexts(*h.form);
  const auto reportFor = [&](const fs::path& file) {
    h.desktop.messages.clear();
    h.desktop.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(DropFile(h.form->field(1, 0), file));
    EXPECT_EQ(FieldTexts(*h.form), before);
    EXPECT_EQ(h.desktop.messages.size(), 1u);
    return h.desktop.messages.empty() ? testing::FakeDesktop::Message{} : h.desktop.messages[0];
  };

  engine::Workbook other = engine::ReadWorkbook(resources::TemplateBytes());
  other.sheets.at(0).cells[{8, 0}].value = std::string("Name");
  WriteBytesToFile(engine::WriteWorkbook(other), h.programFolder / "other.xls");
  const auto notABudget = reportFor(h.programFolder / "other.xls");
  EXPECT_EQ(notABudget.text, "other.xls is not a Quillora budget: A9 holds \"Name\", expected \"Engagement ring\"");
  EXPECT_EQ(notABudget.title, "Quillora");
  EXPECT_EQ(notABudget.buttons, MessageButtons::Ok);
  EXPECT_EQ(notABudget.icon, MessageIcon::Warning);

  EXPECT_EQ(reportFor(WriteAmountsFile(h.programFolder / "bad.csv", "lots")).text,
            "bad.csv, line 6: invalid estimated amount \"lots\"");
  testing::WriteText(h.programFolder / "cut.xls", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 and then nothing");
  EXPECT_TRUE(reportFor(h.programFolder / "cut.xls").text.startsWith("cut.xls cannot be read: "));
  const QString missing = reportFor(h.programFolder / "gone.xls").text;
  EXPECT_TRUE(missing.contains("gone.xls") && missing.contains("No such file")) << missing.toStdString();
}

TEST(BudgetOpening, DraggedTextIsLeftToTheFields) {
  OpeningHarness h;
  QMimeData data;
  data.setText(QStringLiteral("42"));
  QLineEdit* target = h.form->field(0, 0);
  target->clear();
  QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  testing::Settle();
  EXPECT_TRUE(h.desktop.messages.empty());
  EXPECT_EQ(target->text(), "42");
}

}  // namespace
}  // namespace quillora
