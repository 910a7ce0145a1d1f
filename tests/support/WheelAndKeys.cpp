#include "tests/support/WheelAndKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace quillora::testing {

void SendWheel(QWidget* widget, QPoint angle, QPoint pixels, Qt::KeyboardModifiers modifiers) {
  const QPointF at = widget->rect().center();
  QWheelEvent event(at, widget->mapToGlobal(at), pixels, angle, Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

void SendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

}  // namespace quillora::testing
