#include "tests/support/Mouse.h"

#include <QApplication>
#include <QMouseEvent>

namespace quillora::testing {

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  const QPointF global = widget->mapToGlobal(at);
  QMouseEvent event(type, at, global, button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace quillora::testing
