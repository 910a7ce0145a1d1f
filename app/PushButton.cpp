#include "app/PushButton.h"

#include <QMouseEvent>

namespace quillora {

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setMouseTracking(true);
}

void PushButton::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event->buttons(), event->modifiers(), event->position());
  QPushButton::mouseMoveEvent(event);
}

}  // namespace quillora
