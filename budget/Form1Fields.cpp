// Focus and validation of the amount fields. Qt has no event that runs before the focus
// leaves a widget and can refuse the move, so the window filters the keys and clicks that
// would move the focus away from an amount field and validates first; a refused move
// swallows the event, and the control it aimed at never gains the focus.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include "app/Theme.h"
#include "budget/Form1.h"
#include "spreadsheet/numbers/Amount.h"

namespace quillora {
namespace {

// The widget a click on `widget` would give the focus to, as Qt chooses it.
QWidget* ClickFocusTarget(QWidget* widget) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    QWidget* target = w;
    while (target->focusProxy() != nullptr) target = target->focusProxy();
    if (w->isEnabled() && (target->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
      return target;
    }
    if (w->isWindow()) break;
  }
  return nullptr;
}

bool MovesFocusByKey(const QKeyEvent* key) {
  const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
  return tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// Focus that comes back with the window (after a message box, a window switch) is not a
// field being entered.
bool EntersTheField(Qt::FocusReason reason) {
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // Clicks reach the window before any widget: Qt moves the focus to the clicked widget
  // before the widget's own filters see the press, so the check must happen here.
  if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
      windowHandle() != nullptr && watched == windowHandle()) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    QWidget* clicked = childAt(at);
    QWidget* target = ClickFocusTarget(clicked != nullptr ? clicked : this);
    if (target == nullptr || target == QApplication::focusWidget()) return false;
    return !validateBeforeFocusLeaves(target);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  if (type == QEvent::FocusIn) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (widget == VScroll1) {
      VScroll1_GotFocus();
    } else if (const auto address = addressOf(widget); address && EntersTheField(reason)) {
      FieldGotFocus(address->category, address->index);
    }
  } else if (type == QEvent::KeyPress && MovesFocusByKey(static_cast<QKeyEvent*>(event))) {
    return !validateBeforeFocusLeaves(nullptr);
  }
  return false;
}

// Runs the focused field's validation before the focus moves to `target` (null for a
// move by key); false when the move is refused.
bool Form1::validateBeforeFocusLeaves(QWidget* target) {
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr || focused == target || focused->window() != this) return true;
  const auto address = addressOf(focused);
  if (!address) return true;
  bool cancel = false;
  FieldValidate(address->category, address->index, cancel);
  return !cancel;
}

void Form1::FieldGotFocus(int category, int index) {
  // Home, then Shift+End, once the focus has settled: the whole text is selected with
  // the caret at its start side, whichever field holds the focus by then.
  QTimer::singleShot(0, this, [] {
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
      box->home(false);
      box->end(true);
    }
  });
  const BudgetCategory& c = BudgetCategories()[static_cast<std::size_t>(category)];
  if (c.scrollTarget && index <= 1) VScroll1->setValue(*c.scrollTarget);
}

void Form1::FieldValidate(int category, int index, bool& cancel) {
  QLineEdit* box = field(category, index);
  const std::optional<std::string> formatted =
      engine::FormatAmountText(box->text().toStdString(), locale_);
  if (formatted) {
    box->setText(QString::fromStdString(*formatted));
    return;
  }
  context_.desktop.showMessage(QStringLiteral("Please enter a valid amount"), AppTitle(),
                               MessageButtons::Ok, MessageIcon::None);
  box->setText(QStringLiteral("0"));
  cancel = true;
}

}  // namespace quillora
