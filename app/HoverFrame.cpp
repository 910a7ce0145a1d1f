#include "app/HoverFrame.h"

#include <QMouseEvent>

namespace quillora {

HoverFrame::HoverFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
  setMouseTracking(true);
}

void HoverFrame::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event->buttons(), event->modifiers(), event->position());
  QGroupBox::mouseMoveEvent(event);
}

}  // namespace quillora
