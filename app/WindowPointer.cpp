#include "app/WindowPointer.h"

#include <QWidget>

namespace quillora {

void WindowPointer::setCustomCursor(const QCursor& cursor) {
  custom_ = cursor;
  if (shape_ == PointerShape::Custom) set(shape_);
}

void WindowPointer::set(PointerShape shape) {
  shape_ = shape;
  switch (shape) {
    case PointerShape::Default:
      window_->unsetCursor();
      break;
    case PointerShape::Hourglass:
      window_->setCursor(Qt::WaitCursor);
      break;
    case PointerShape::Custom:
      // Without a loaded cursor file the custom setting shows the system's arrow.
      if (custom_)
        window_->setCursor(*custom_);
      else
        window_->unsetCursor();
      break;
  }
}

void WindowPointer::hoverButton() {
  if (shape_ != PointerShape::Hourglass && shape_ != PointerShape::Custom) set(PointerShape::Custom);
}

void WindowPointer::hoverBackground() {
  if (shape_ != PointerShape::Hourglass && shape_ != PointerShape::Default) set(PointerShape::Default);
}

}  // namespace quillora
