#pragma once

#include <QFrame>
#include <QImage>
#include <QScrollBar>
#include <functional>

#include "preview/PictureBox.h"
#include "preview/core/Viewport.h"
#include "preview/core/ViewportView.h"

namespace quillora::preview {

// The viewport's controls on a window, at their design places, and the model they show:
// the frame Picture2 with the image box Picture1 inside it, the hidden holder Zoom_Ori,
// and the bars HScroll1 and VScroll1. Mouse events on the image box and moves of the bars
// go to the model; the model's changes come back here and move the controls.
class PreviewViewport final : public ViewportView {
 public:
  // `pointerToDefault` sets the window's pointer back to the arrow.
  PreviewViewport(QWidget* window, RoutineTraps& traps, std::function<void()> pointerToDefault);

  // Assigns a picture to the image box (the holder keeps its copy until the next set-up).
  void setPicture(const QImage& picture);

  Viewport& model() { return model_; }
  const Viewport& model() const { return model_; }

  QFrame* const Picture2;
  PictureBox* const Picture1;
  PictureBox* const Zoom_Ori;
  QScrollBar* const HScroll1;
  QScrollBar* const VScroll1;

  // ViewportView
  void imageBoxChanged(const Box& imageBox) override;
  void scrollBarChanged(Axis axis, const ScrollBarState& bar) override;
  void keepPictureInHolder() override;
  void hideHolder() override;
  void clearImage() override;
  void drawStretched(const StretchDraw& draw) override;
  void pointerToDefault() override;

 private:
  QScrollBar* bar(Axis axis) const { return axis == Axis::Horizontal ? HScroll1 : VScroll1; }

  QWidget* const inner_;  // Picture2's inner area, which clips the image box
  std::function<void()> pointerToDefault_;
  Viewport model_;
};

}  // namespace quillora::preview
