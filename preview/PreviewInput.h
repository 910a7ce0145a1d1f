#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QScrollBar;
class QWheelEvent;

namespace quillora::preview {

class PreviewViewport;

// Wheel and keyboard scrolling of the preview. Every move goes through a scroll bar's value,
// so the bars' change handlers place the picture and their ranges clamp it; zooming calls
// the Zoom buttons' own handlers, so it has their limits and their refusal.
//
// Over the viewport: the wheel scrolls vertically, Shift+wheel (or a sideways wheel)
// horizontally, Ctrl+wheel zooms one step per notch. Anywhere in the window: arrows step,
// Page Up/Down page, Home/End go to the top and the bottom, "+" and "-" zoom.
class PreviewInput final : public QObject {
 public:
  // `zoom(0)` zooms in, `zoom(1)` out, as the buttons do.
  PreviewInput(QWidget* window, PreviewViewport& viewport, std::function<void(int direction)> zoom);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool wheel(QWidget* widget, QWheelEvent* event);
  bool key(QKeyEvent* event);
  // Moves a bar by `units`, keeping the fraction a smooth wheel leaves for its next turn.
  void scrollBy(QScrollBar* bar, double units, double& fraction);

  QWidget* const window_;
  PreviewViewport& viewport_;
  std::function<void(int)> zoom_;
  double horizontalFraction_ = 0;
  double verticalFraction_ = 0;
  int zoomDelta_ = 0;  // wheel eighths of a degree toward the next zoom step
};

}  // namespace quillora::preview
