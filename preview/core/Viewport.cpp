#include "preview/core/Viewport.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "preview/core/Arithmetic.h"

namespace quillora::preview {

namespace {

// The unzoomed size on one axis, measured from the holder's inner size.
std::int32_t Unzoomed(float holderInner) { return NearestInt32(holderInner - 2.0f); }

// The zoomed size on one axis; the product is taken in double precision.
std::int32_t Scaled(std::int32_t unzoomed, float zoom) {
  return ClampToInt32(std::floor(double(unzoomed) * double(zoom)));
}

}  // namespace

Viewport::Viewport(ViewportView& view, RoutineTraps& traps) : view_(view), traps_(traps) {}

const ScrollBarState& Viewport::bar(Axis axis) const {
  return axis == Axis::Horizontal ? hScroll_ : vScroll_;
}

ScrollBarState& Viewport::barState(Axis axis) {
  return axis == Axis::Horizontal ? hScroll_ : vScroll_;
}

void Viewport::imageBoxChanged() { view_.imageBoxChanged(imageBox_); }

void Viewport::pictureAssigned(std::optional<SizeTwips> size) {
  picture_ = size;
  if (autoSize_ && picture_) {
    imageBox_.width = picture_->width;
    imageBox_.height = picture_->height;
    imageBoxChanged();
  }
}

// Factor 1.0 and the sizes measured afresh from the holder: steps 124 to 132 both of the
// set-up and of a refused redraw.
void Viewport::restoreUnzoomed(RoutineSteps& steps) {
  steps.run(124, [&] { mZoom = 1.0f; });
  steps.run(126, [&] { mOrigWidth = Unzoomed(holder_.innerWidth()); });
  steps.run(128, [&] { mOrigHeight = Unzoomed(holder_.innerHeight()); });
  steps.run(130, [&] { mScaledWidth = Scaled(mOrigWidth, 1.0f); });
  steps.run(132, [&] { mScaledHeight = Scaled(mOrigHeight, 1.0f); });
}

void Viewport::runChangeHandler(Axis axis) {
  if (axis == Axis::Horizontal) {
    HScroll1_Change();
  } else {
    VScroll1_Change();
  }
}

void Viewport::setUp(RoutineSteps& steps) {
  // Steps 102 and 104 (taking the box, persistent drawing), 108 (invert pen) and 110 (white
  // background) hold for the image box as built; its drawing always persists.
  steps.run(106, [&] {
    autoSize_ = true;
    pictureAssigned(picture_);
  });
  // Steps 112 and 114: the holder keeps its drawing as built.
  steps.run(116, [&] { view_.hideHolder(); });
  steps.run(118, [&] { holder_.width = imageBox_.width; });
  steps.run(120, [&] { holder_.height = imageBox_.height; });
  steps.run(122, [&] { view_.keepPictureInHolder(); });
  restoreUnzoomed(steps);
  steps.run(134, [&] { RedrawImage(); });
  steps.run(136, [&] { ResetScrollbars(); });
}

void Viewport::RedrawImage() {
  const auto steps = traps_.arm("RedrawImage");
  steps->run(100, [&] { mScaledWidth = Scaled(mOrigWidth, mZoom); });
  steps->run(102, [&] { mScaledHeight = Scaled(mOrigHeight, mZoom); });
  bool refused = false;
  steps->run(104, [&] {
    refused = mScaledWidth >= kMaxScaledWidth || mScaledHeight >= kMaxScaledHeight;
  });
  if (refused) {
    // Too large to keep as a drawing: back to 1.0 without drawing or touching the bars.
    restoreUnzoomed(*steps);
    return;
  }
  steps->run(106, [&] { view_.clearImage(); });
  steps->run(108, [&] {
    imageBox_.width = static_cast<float>(mScaledWidth);
    imageBoxChanged();
  });
  steps->run(110, [&] {
    imageBox_.height = static_cast<float>(mScaledHeight);
    imageBoxChanged();
  });
  steps->run(112, [&] {
    view_.drawStretched({mOrigWidth, mOrigHeight, mScaledWidth, mScaledHeight});
  });
  steps->run(114, [&] { view_.pointerToDefault(); });
  steps->run(116, [&] { setBarValue(Axis::Horizontal, 0); });
  steps->run(118, [&] { setBarValue(Axis::Vertical, 0); });
  steps->run(120, [&] {
    setBarEnabled(Axis::Horizontal, viewport_.innerWidth() < static_cast<float>(mScaledWidth));
  });
  steps->run(122, [&] {
    setBarEnabled(Axis::Vertical, viewport_.innerHeight() < static_cast<float>(mScaledHeight));
  });
}

void Viewport::resetAxis(Axis axis, float boxSize, float viewportSize, std::int16_t& step) {
  if (boxSize <= viewportSize) {
    setBarEnabled(axis, false);
    step = 0;
    return;
  }
  const float excess = boxSize - viewportSize;
  setBarEnabled(axis, true);
  if (excess <= kFineStepLimit) {
    setBarMax(axis, NearestInt16(excess));
    step = 1;
  } else {
    setBarMax(axis, NearestInt16(excess / 10.0f));
    step = 10;
  }
  const float inner = axis == Axis::Horizontal ? viewport_.innerWidth() : viewport_.innerHeight();
  setBarChanges(axis, NearestInt16(kSheetRowTwips / step), NearestInt16(inner / step));
  setBarValue(axis, 0);
}

void Viewport::setBarChanges(Axis axis, std::int16_t small, std::int16_t large) {
  ScrollBarState& state = barState(axis);
  state.smallChange = std::max<std::int16_t>(small, 1);
  state.largeChange = std::max<std::int16_t>(large, 1);
  view_.scrollBarChanged(axis, state);
}

void Viewport::ResetScrollbars() {
  imageBox_.top = 0;
  imageBoxChanged();
  imageBox_.left = 0;
  imageBoxChanged();
  resetAxis(Axis::Horizontal, imageBox_.width, viewport_.width, mHStep);
  resetAxis(Axis::Vertical, imageBox_.height, viewport_.height, mVStep);
}

void Viewport::StepZoom(std::int32_t direction) {
  const float zoom = direction == 0 ? mZoom + kZoomStep : mZoom - kZoomStep;
  SetZoom(zoom);
}

void Viewport::SetZoom(float zoom) {
  if (zoom < kMinZoom || zoom > kMaxZoom) return;
  mZoom = zoom;
  RedrawImage();
}

void Viewport::SetScrollbarByPercent(Axis axis, std::int16_t percent) {
  if (percent < 0) return;
  const double max = bar(axis).max;
  const double value = percent / 100.0 * max;
  if (value <= max) setBarValue(axis, NearestInt16(value));
}

void Viewport::setBarValue(Axis axis, std::int16_t value) {
  ScrollBarState& state = barState(axis);
  if (value < 0 || value > state.max) {
    throw std::out_of_range("Invalid property value: scroll bar value " + std::to_string(value) +
                            " lies outside 0 to " + std::to_string(state.max));
  }
  if (value == state.value) return;
  state.value = value;
  view_.scrollBarChanged(axis, state);
  runChangeHandler(axis);
}

void Viewport::setBarMax(Axis axis, std::int16_t max) {
  if (max < 0) throw std::out_of_range("Invalid property value: scroll bar range below 0");
  ScrollBarState& state = barState(axis);
  if (max == state.max) return;
  state.max = max;
  view_.scrollBarChanged(axis, state);
  // A value beyond the new range follows it down, as any value change does.
  if (state.value > max) {
    state.value = max;
    view_.scrollBarChanged(axis, state);
    runChangeHandler(axis);
  }
}

void Viewport::setBarEnabled(Axis axis, bool enabled) {
  ScrollBarState& state = barState(axis);
  if (state.enabled == enabled) return;
  state.enabled = enabled;
  view_.scrollBarChanged(axis, state);
}

// The product step x value is 16-bit arithmetic; it is clamped, never wrapped.
void Viewport::HScroll1_Change() {
  imageBox_.left = -static_cast<float>(ClampToInt16(double(mHStep) * hScroll_.value));
  imageBoxChanged();
}

void Viewport::VScroll1_Change() {
  imageBox_.top = -static_cast<float>(ClampToInt16(double(mVStep) * vScroll_.value));
  imageBoxChanged();
}

void Viewport::Picture1_MouseDown(int, int, float x, float y) {
  const auto steps = traps_.arm("picture1_MouseDown");
  steps->run(100, [&] { mDragX = x; });
  steps->run(102, [&] { mDragY = y; });
}

float Viewport::dragLimited(float position, float innerSize, float boxSize) {
  if (position > 0) return 0;
  const float farLimit = innerSize - boxSize;
  if (farLimit > position) return farLimit;
  return position;
}

void Viewport::Picture1_MouseMove(int buttons, int, float x, float y) {
  const auto steps = traps_.arm("picture1_MouseMove");
  bool held = false;
  steps->run(100, [&] { held = buttons != 0; });
  if (!held) return;
  float left = 0;
  float top = 0;
  // Steps 106 to 112 and 116 to 122 (the limits) cannot fail on their own.
  steps->run(104, [&] { left = dragLimited(imageBox_.left - mDragX + x, viewport_.innerWidth(), imageBox_.width); });
  steps->run(114, [&] { top = dragLimited(imageBox_.top - mDragY + y, viewport_.innerHeight(), imageBox_.height); });
  steps->run(124, [&] {
    imageBox_.left = left;
    imageBox_.top = top;
    imageBoxChanged();
  });
}

// An image box exactly as large as the viewport has nowhere to move: 0 percent.
std::int32_t Viewport::movedPercent(float offset, float boxSize, float viewportSize) {
  const double room = double(boxSize) - double(viewportSize);
  if (room == 0.0) return 0;
  return NearestInt32(std::fabs(double(offset)) / room * 100.0);
}

void Viewport::Picture1_MouseUp(int, int, float, float) {
  const auto steps = traps_.arm("Picture1_MouseUp");
  std::int32_t horizontal = 0;
  std::int32_t vertical = 0;
  steps->run(100, [&] { horizontal = movedPercent(imageBox_.left, imageBox_.width, viewport_.width); });
  steps->run(102, [&] { vertical = movedPercent(imageBox_.top, imageBox_.height, viewport_.height); });
  steps->run(104, [&] { SetScrollbarByPercent(Axis::Horizontal, ClampToInt16(horizontal)); });
  steps->run(106, [&] { SetScrollbarByPercent(Axis::Vertical, ClampToInt16(vertical)); });
}

}  // namespace quillora::preview
