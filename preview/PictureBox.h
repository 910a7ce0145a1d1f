#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace quillora::preview {

// A picture box without a frame: a white background, the picture assigned to it drawn at
// its corner, and over both a persistent drawing that survives repainting. Mouse presses,
// moves (held buttons or not) and releases are handed on with the position in twips.
class PictureBox : public QWidget {
 public:
  // buttons and shift as bit sets (left 1, right 2, middle 4; Shift 1, Ctrl 2, Alt 4).
  using MouseHandler = std::function<void(int buttons, int shift, float x, float y)>;

  explicit PictureBox(QWidget* parent);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

  // The persistent drawing; cleared, it lets the picture show.
  void clearDrawing();
  void setDrawing(QImage drawing);
  const QImage& drawing() const { return drawing_; }

  MouseHandler onMouseDown;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void handOn(const MouseHandler& handler, QMouseEvent* event, Qt::MouseButtons buttons);

  QImage picture_;
  QImage drawing_;
};

}  // namespace quillora::preview
