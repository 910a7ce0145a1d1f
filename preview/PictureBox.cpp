#include "preview/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include "preview/core/ViewportTypes.h"

namespace quillora::preview {

namespace {

int ButtonBits(Qt::MouseButtons buttons) {
  return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
         (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

int ShiftBits(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PictureBox::clearDrawing() {
  drawing_ = QImage();
  update();
}

void PictureBox::setDrawing(QImage drawing) {
  drawing_ = std::move(drawing);
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (!picture_.isNull()) painter.drawImage(QPoint(0, 0), picture_);
  if (!drawing_.isNull()) painter.drawImage(QPoint(0, 0), drawing_);
}

void PictureBox::handOn(const MouseHandler& handler, QMouseEvent* event, Qt::MouseButtons buttons) {
  if (!handler) return;
  const QPointF at = event->position() * kTwipsPerPixel;
  handler(ButtonBits(buttons), ShiftBits(event->modifiers()), static_cast<float>(at.x()),
          static_cast<float>(at.y()));
}

// A press or release names the button that changed; a move, the buttons held.
void PictureBox::mousePressEvent(QMouseEvent* event) { handOn(onMouseDown, event, event->button()); }
void PictureBox::mouseMoveEvent(QMouseEvent* event) { handOn(onMouseMove, event, event->buttons()); }
void PictureBox::mouseReleaseEvent(QMouseEvent* event) { handOn(onMouseUp, event, event->button()); }

}  // namespace quillora::preview
