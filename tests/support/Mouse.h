#pragma once

#include <QEvent>
#include <QPointF>
#include <QWidget>

namespace quillora::testing {

// Sends a real mouse event to `widget` at `at` (its own pixels).
void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held);

}  // namespace quillora::testing
