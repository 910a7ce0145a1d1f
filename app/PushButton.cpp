#include "app/PushButton.h"

#include <QMouseEvent>

namespace quillora {

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setMouseTracking(true);
}

void PushButton::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event->buttons(), event->modifiers(), event->position());
  QPushButton::mouseMoveEvent(event);
  // The button has handled the move; it must not reach the window behind it, whose own
  // handler would replace the hand with the arrow.
  event->accept();
}

}  // namespace quillora
