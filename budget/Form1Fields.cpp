// Focus and validation of the amount fields. Qt has no event that runs before the focus
// leaves a widget and can refuse the move, so the window filters the keys and clicks that
// would move the focus away from an amount field and validates first; a refused move
// swallows the event, and the control it aimed at never gains the focus.
//
// Everything here asks the window for its own focus widget. Where no window manager runs,
// the window system can take the keyboard focus from the application (after a message box,
// for instance): the application then has no focus widget and sends no focus events, while
// keys still reach the window's focus widget. So the window also notices a focus change
// itself, after a Tab it has let through and before any key or click reaches a control.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <iterator>

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

// Home, then Shift+End: the whole text selected with the caret at its start side.
void SelectWholeText(QLineEdit* box) {
  box->home(false);
  box->end(true);
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
    if (target == nullptr || target == focusWidget()) return false;
    return !validateBeforeFocusLeaves(target);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  if (type == QEvent::Wheel) return wheelOverPanel(widget, static_cast<QWheelEvent*>(event));
  if (type == QEvent::FocusIn) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
      entered_ = widget;  // the focus came back with the window: nothing is entered
    } else {
      focusEntered(widget);
    }
  } else if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress) {
    // Input reaching a control the window moved its focus to without telling anyone.
    if (widget == focusWidget() && widget != entered_) focusEntered(widget);
    if (type == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (MovesFocusByKey(key)) {
        if (!validateBeforeFocusLeaves(nullptr)) return true;
        focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        if (QWidget* now = focusWidget(); now != nullptr && now != entered_) focusEntered(now);
        return true;
      }
    }
  }
  return false;
}

namespace {

// Each field array's own pair of handlers, by the array's category position.
struct FieldHandlers {
  void (Form1::*gotFocus)(int index);
  void (Form1::*validate)(int index, bool& cancel);
};
#define QUILLORA_FIELD_HANDLER_ENTRY(name, position) {&Form1::txt##name##_GotFocus, &Form1::txt##name##_Validate},
constexpr FieldHandlers kFieldHandlers[] = {QUILLORA_FIELD_ARRAYS(QUILLORA_FIELD_HANDLER_ENTRY)};
#undef QUILLORA_FIELD_HANDLER_ENTRY
static_assert(std::size(kFieldHandlers) == kCategoryCount);

}  // namespace

// The focus handlers of the control the focus has just entered.
void Form1::focusEntered(QWidget* widget) {
  entered_ = widget;
  if (widget == VScroll1) {
    VScroll1_GotFocus();
  } else if (const auto address = addressOf(widget)) {
    (this->*kFieldHandlers[address->category].gotFocus)(address->index);
  }
}

// The wheel over the panel, its frames, labels and fields moves the panel through its
// scroll bar, with the bar's own steps and limits; high-resolution wheels move it in
// fractions of a step.
bool Form1::wheelOverPanel(QWidget* widget, QWheelEvent* event) {
  if (widget == VScroll1 || !Picture2->isAncestorOf(widget)) return false;
  QWheelEvent forwarded(VScroll1->rect().center(), VScroll1->mapToGlobal(VScroll1->rect().center()),
                        event->pixelDelta(), event->angleDelta(), event->buttons(), event->modifiers(),
                        event->phase(), event->inverted(), event->source());
  QCoreApplication::sendEvent(VScroll1, &forwarded);
  return true;
}

// Runs the focused field's validation before the focus moves to `target` (null for a
// move by key); false when the move is refused.
bool Form1::validateBeforeFocusLeaves(QWidget* target) {
  QWidget* focused = focusWidget();
  if (focused == nullptr || focused == target || focused->window() != this) return true;
  const auto address = addressOf(focused);
  if (!address) return true;
  bool cancel = false;
  (this->*kFieldHandlers[address->category].validate)(address->index, cancel);
  return !cancel;
}

void Form1::FieldGotFocus(int category, int index) {
  // Home, then Shift+End, once the focus has settled: the whole text is selected with
  // the caret at its start side, whichever field holds the focus by then.
  QTimer::singleShot(0, this, [this] {
    if (auto* box = qobject_cast<QLineEdit*>(focusWidget())) SelectWholeText(box);
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
  // The focus stays; the "0" is selected so that the next key replaces it.
  SelectWholeText(box);
  cancel = true;
}

}  // namespace quillora
