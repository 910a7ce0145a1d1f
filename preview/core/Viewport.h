#pragma once

#include <cstdint>
#include <optional>

#include "preview/core/RoutineTrap.h"
#include "preview/core/ViewportTypes.h"
#include "preview/core/ViewportView.h"

namespace quillora::preview {

// The preview's zoomable, draggable viewport, in twips. The unzoomed picture sits in a
// hidden holder; each zoom level is drawn afresh from it, stretched into an image box that
// moves inside a fixed frame under two scroll bars. RedrawImage and the three mouse
// handlers run under their own traps; the other operations report through their caller's.
// Naming: the window's own routines and event handlers keep their design names
// (RedrawImage, HScroll1_Change) and its state variables theirs (mZoom); every other method
// is camelCase and every other member ends in an underscore.
class Viewport {
 public:
  Viewport(ViewportView& view, RoutineTraps& traps);

  // A picture of `size` was assigned to the image box (nothing: no picture). Once set-up has
  // made the box size itself to its picture, it takes that size at once.
  void pictureAssigned(std::optional<SizeTwips> size);

  // The set-up the window runs when it first becomes active; `steps` is the caller's trap
  // (its steps 102 to 136).
  void setUp(RoutineSteps& steps);
  void RedrawImage();
  void ResetScrollbars();
  // direction 0: one step larger; anything else: one step smaller.
  void StepZoom(std::int32_t direction);
  void SetZoom(float zoom);
  // Sets a bar to `percent` of its range; a negative percent, or one giving more than the
  // range, changes nothing.
  void SetScrollbarByPercent(Axis axis, std::int16_t percent);

  // A bar's new value, from the user or the program; a value that differs runs the bar's
  // change handler. Throws std::out_of_range for a value outside 0 to Max.
  void setBarValue(Axis axis, std::int16_t value);
  void HScroll1_Change();
  void VScroll1_Change();

  // Mouse handlers; `buttons` is the button state (0: none held), x and y are in the image
  // box's own coordinates.
  void Picture1_MouseDown(int buttons, int shift, float x, float y);
  void Picture1_MouseMove(int buttons, int shift, float x, float y);
  void Picture1_MouseUp(int buttons, int shift, float x, float y);

  float zoom() const { return mZoom; }
  std::int32_t origWidth() const { return mOrigWidth; }
  std::int32_t origHeight() const { return mOrigHeight; }
  std::int32_t scaledWidth() const { return mScaledWidth; }
  std::int32_t scaledHeight() const { return mScaledHeight; }
  std::int16_t hStep() const { return mHStep; }
  std::int16_t vStep() const { return mVStep; }
  float dragX() const { return mDragX; }
  float dragY() const { return mDragY; }
  const Box& viewport() const { return viewport_; }
  const Box& imageBox() const { return imageBox_; }
  const Box& holder() const { return holder_; }
  const ScrollBarState& bar(Axis axis) const;

 private:
  ScrollBarState& barState(Axis axis);
  void setBarMax(Axis axis, std::int16_t max);
  void setBarEnabled(Axis axis, bool enabled);
  void setBarChanges(Axis axis, std::int16_t small, std::int16_t large);
  void resetAxis(Axis axis, float boxSize, float viewportSize, std::int16_t& step);
  void restoreUnzoomed(RoutineSteps& steps);
  void runChangeHandler(Axis axis);
  void imageBoxChanged();
  // Percent of the way the image box has been moved along an axis.
  static std::int32_t movedPercent(float offset, float boxSize, float viewportSize);
  // The drag limit of one axis: 0, or flush with the far edge of the viewport's inner area.
  static float dragLimited(float position, float innerSize, float boxSize);

  ViewportView& view_;
  RoutineTraps& traps_;
  Box viewport_ = kViewportDesign;  // Picture2
  Box imageBox_ = kImageBoxDesign;  // Picture1
  Box holder_ = kHolderDesign;      // Zoom_Ori
  ScrollBarState hScroll_;          // HScroll1
  ScrollBarState vScroll_;          // VScroll1
  std::optional<SizeTwips> picture_;
  bool autoSize_ = false;

  float mZoom = 1.0f;
  std::int32_t mOrigWidth = 0;
  std::int32_t mOrigHeight = 0;
  std::int32_t mScaledWidth = 0;
  std::int32_t mScaledHeight = 0;
  std::int16_t mHStep = 0;
  std::int16_t mVStep = 0;
  float mDragX = 0;
  float mDragY = 0;
};

}  // namespace quillora::preview
