#pragma once

#include <QPointF>
#include <QPushButton>

namespace quillora {

// A push button that also reports every mouse move over it, held buttons or not, and
// keeps those moves from reaching the widgets behind it.
class PushButton : public QPushButton {
  Q_OBJECT
 public:
  explicit PushButton(const QString& caption, QWidget* parent = nullptr);

 signals:
  void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF pos);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace quillora
