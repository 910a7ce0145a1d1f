#pragma once

#include "preview/core/ViewportTypes.h"

// What the viewport model asks of whatever shows it. Every call follows a change the
// model has already made to its own state.
namespace quillora::preview {

class ViewportView {
 public:
  virtual ~ViewportView() = default;
  // The image box's position or outer size changed.
  virtual void imageBoxChanged(const Box& imageBox) = 0;
  // A scroll bar's range, value or enabled flag changed.
  virtual void scrollBarChanged(Axis axis, const ScrollBarState& bar) = 0;
  // The hidden holder takes the image box's current picture as its unzoomed copy.
  virtual void keepPictureInHolder() = 0;
  virtual void hideHolder() = 0;
  // The image box's drawing is cleared to its white background.
  virtual void clearImage() = 0;
  // The holder's picture is drawn into the image box, stretched.
  virtual void drawStretched(const StretchDraw& draw) = 0;
  // The window's mouse pointer goes back to the default arrow.
  virtual void pointerToDefault() = 0;
};

}  // namespace quillora::preview
