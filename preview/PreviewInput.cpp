#include "preview/PreviewInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "preview/PreviewViewport.h"

namespace quillora::preview {

namespace {

constexpr int kNotch = 120;  // one wheel notch in eighths of a degree

}  // namespace

PreviewInput::PreviewInput(QWidget* window, PreviewViewport& viewport, std::function<void(int)> zoom)
    : QObject(window), window_(window), viewport_(viewport), zoom_(std::move(zoom)) {
  QApplication::instance()->installEventFilter(this);
}

bool PreviewInput::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_) return false;
  if (event->type() == QEvent::Wheel) return wheel(widget, static_cast<QWheelEvent*>(event));
  if (event->type() == QEvent::KeyPress) return key(static_cast<QKeyEvent*>(event));
  return false;
}

void PreviewInput::scrollBy(QScrollBar* bar, double units, double& fraction) {
  if (!bar->isEnabled()) {
    fraction = 0;
    return;
  }
  if (fraction != 0 && (fraction < 0) != (units < 0)) fraction = 0;  // the wheel turned back
  fraction += units;
  const double whole = std::trunc(fraction);
  fraction -= whole;
  if (whole != 0) bar->setValue(bar->value() + static_cast<int>(whole));
}

bool PreviewInput::wheel(QWidget* widget, QWheelEvent* event) {
  // Only over the picture; the bars take their own wheel.
  if (widget != viewport_.Picture2 && !viewport_.Picture2->isAncestorOf(widget)) return false;
  const QPoint angle = event->angleDelta();
  if (event->modifiers() & Qt::ControlModifier) {
    zoomDelta_ += angle.y() != 0 ? angle.y() : angle.x();
    while (zoomDelta_ >= kNotch) {
      zoomDelta_ -= kNotch;
      zoom_(0);
    }
    while (zoomDelta_ <= -kNotch) {
      zoomDelta_ += kNotch;
      zoom_(1);
    }
    return true;
  }
  // A touchpad reports pixels; a wheel reports notches of wheelScrollLines rows each.
  // Turning away from the user (positive) moves the picture up: the bar's value grows.
  const bool sideways = (event->modifiers() & Qt::ShiftModifier) || (angle.y() == 0 && angle.x() != 0);
  QScrollBar* bar = sideways ? viewport_.HScroll1 : viewport_.VScroll1;
  double& fraction = sideways ? horizontalFraction_ : verticalFraction_;
  const QPoint pixels = event->pixelDelta();
  double units = 0;
  if (!pixels.isNull()) {
    const int delta = angle.y() != 0 || pixels.y() != 0 ? pixels.y() : pixels.x();
    const Viewport& model = viewport_.model();
    const int twipsPerUnit = sideways ? model.hStep() : model.vStep();
    if (twipsPerUnit > 0) units = -delta * kTwipsPerPixel / twipsPerUnit;
  } else {
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    units = -double(delta) / kNotch * QApplication::wheelScrollLines() * bar->singleStep();
  }
  if (event->inverted()) units = -units;
  scrollBy(bar, units, fraction);
  return true;
}

bool PreviewInput::key(QKeyEvent* event) {
  QScrollBar* const v = viewport_.VScroll1;
  QScrollBar* const h = viewport_.HScroll1;
  double unused = 0;
  switch (event->key()) {
    case Qt::Key_Up: scrollBy(v, -v->singleStep(), unused); return true;
    case Qt::Key_Down: scrollBy(v, v->singleStep(), unused); return true;
    case Qt::Key_Left: scrollBy(h, -h->singleStep(), unused); return true;
    case Qt::Key_Right: scrollBy(h, h->singleStep(), unused); return true;
    case Qt::Key_PageUp: scrollBy(v, -v->pageStep(), unused); return true;
    case Qt::Key_PageDown: scrollBy(v, v->pageStep(), unused); return true;
    case Qt::Key_Home: scrollBy(v, -v->value(), unused); return true;
    case Qt::Key_End: scrollBy(v, v->maximum() - v->value(), unused); return true;
    case Qt::Key_Plus: zoom_(0); return true;
    case Qt::Key_Minus: zoom_(1); return true;
    default: return false;
  }
}

}  // namespace quillora::preview
