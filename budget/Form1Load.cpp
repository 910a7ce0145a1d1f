// The entry window's start-up and its two small buttons, each under the error trap with
// its numbered steps.
#include <QCoreApplication>
#include <QLineEdit>
#include <stdexcept>

#include "app/EngineCheck.h"
#include "app/ErrorTrap.h"
#include "app/HandCursor.h"
#include "app/HomePage.h"
#include "app/Theme.h"
#include "app/core/ProductInfo.h"
#include "budget/Form1.h"
#include "budget/core/SampleData.h"
#include "spreadsheet/numbers/Amount.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

// The currency formatting of a field's text; text that is no amount is a failure.
QString CurrencyFormatted(const QString& text, const engine::NumberLocale& locale) {
  const std::optional<std::string> formatted =
      engine::FormatAmountText(text.toStdString(), locale);
  if (!formatted) throw std::runtime_error("Type mismatch: \"" + text.toStdString() + "\" is not an amount");
  return QString::fromStdString(*formatted);
}

}  // namespace

void Form1::Form_Load() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form1"), QStringLiteral("Form_Load"));
  trap(102, [&] { setWindowTitle(QString::fromLatin1(kProductName)); });
  trap(102, [&] { setWindowIcon(ApplicationIcon()); });
  trap(102, [&] { QCoreApplication::setApplicationName(AppTitle()); });
  trap(104, [&] { ApplySkin(this, SkinFramework1, context_.programFolder); });
  trap(106, [&] { VisitHomePageNowAndThen(context_); });

  const std::filesystem::path cursorFile = context_.programFolder / "HAND-M.CUR";
  if (trap.test(124, [&] { return FileExists(cursorFile); })) {
    trap(126, [&] { pointer_.setCustomCursor(LoadCursorFile(cursorFile)); });
  }

  trap(128, [&] { setPanelTop(0); });

  // Keyboard order: "Apparel" holds positions 1 to 22 by design; the other categories
  // follow in screen order, row by row, estimated before actual.
  int counter = 0;
  trap(130, [&] { counter = 22; });
  for (int c = 1; c < kCategoryCount; ++c) {
    const int loopStep = 132 + 6 * (c - 1);
    int highest = -1;
    trap(loopStep, [&] { highest = BudgetCategories()[static_cast<std::size_t>(c)].highestIndex(); });
    for (int i = 0; i <= highest; ++i) {
      trap(loopStep + 2, [&] { ++counter; });
      trap(loopStep + 4, [&] { setTabIndex(field(c, i), counter); });
    }
  }
  trap(184, [&] { applyTabOrder(); });

  // Every text box of the window (exactly the amount fields) becomes a formatted amount.
  QList<QWidget*> controls;
  trap(186, [&] { controls = findChildren<QWidget*>(); });
  for (QWidget* control : controls) {
    QLineEdit* box = nullptr;
    if (trap.test(188, [&] { return (box = qobject_cast<QLineEdit*>(control)) != nullptr; })) {
      trap(190, [&] { box->setText(CurrencyFormatted(box->text(), locale_)); });
    }
  }

  trap(192, [&] {
    RunSpreadsheetEngineCheck(context_.desktop, [&] { CheckSpreadsheetStarts(excel_, templateBytes()); });
  });
}

void Form1::PushButton6_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form1"), QStringLiteral("PushButton6_Click"));
  trap(100, [&] {
    context_.desktop.showMessage(QStringLiteral("Questions? Please contact Team Tolvane at ") +
                                     QString::fromLatin1(kContactPageAddress),
                                 AppTitle(), MessageButtons::Ok, MessageIcon::None);
  });
}

void Form1::PushButton7_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form1"), QStringLiteral("PushButton7_Click"));
  for (int c = 0; c < kCategoryCount; ++c) {
    const int loopStep = 100 + 4 * c;
    int highest = -1;
    trap(loopStep, [&] { highest = BudgetCategories()[static_cast<std::size_t>(c)].highestIndex(); });
    for (int i = 0; i <= highest; ++i) {
      trap(loopStep + 2, [&] { field(c, i)->setText(QString::fromStdString(SampleAmountText(c, i))); });
    }
  }
}

}  // namespace quillora
