#pragma once

#include <QGroupBox>
#include <QPointF>

namespace quillora {

// A captioned frame that reports every mouse move over its own surface.
class HoverFrame : public QGroupBox {
  Q_OBJECT
 public:
  explicit HoverFrame(const QString& caption, QWidget* parent = nullptr);

 signals:
  void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF pos);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace quillora
