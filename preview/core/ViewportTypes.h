#pragma once

#include <cstdint>

// Plain values the viewport model and its view share. Lengths are twips (15 per pixel).
namespace quillora::preview {

inline constexpr double kTwipsPerPixel = 15.0;

enum class Axis { Horizontal, Vertical };

// A box: position in its container's inner area, outer size, and how much of the outer
// size its frame takes on each axis (both sides together).
struct Box {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  float frame = 0;

  float innerWidth() const { return width - frame; }
  float innerHeight() const { return height - frame; }
};

struct SizeTwips {
  float width = 0;
  float height = 0;
};

// A scroll bar: range 0 to max, a value in that range, an enabled flag, and the units an
// arrow (small change) and a click on the track (large change) move it by.
struct ScrollBarState {
  std::int16_t max = 32767;
  std::int16_t value = 0;
  bool enabled = true;
  std::int16_t smallChange = 1;
  std::int16_t largeChange = 10;
};

// A stretched copy of the holder's picture into the image box, both rectangles at (0, 0).
struct StretchDraw {
  std::int32_t sourceWidth = 0;
  std::int32_t sourceHeight = 0;
  std::int32_t destinationWidth = 0;
  std::int32_t destinationHeight = 0;
  bool operator==(const StretchDraw&) const = default;
};

// Design geometry of the viewport's boxes, in twips.
inline constexpr Box kViewportDesign{120, 120, 9330, 7425, 60};  // 2-px sunken frame
inline constexpr Box kImageBoxDesign{0, 0, 2340, 3435, 0};
inline constexpr Box kHolderDesign{10320, 480, 735, 375, 0};
inline constexpr Box kHScrollDesign{120, 7545, 9330, 255, 0};
inline constexpr Box kVScrollDesign{9450, 120, 255, 7425, 0};

// Zoomed sizes at or above these are refused.
inline constexpr std::int32_t kMaxScaledWidth = 9000;
inline constexpr std::int32_t kMaxScaledHeight = 40000;

inline constexpr float kMinZoom = 0.25f;
inline constexpr float kMaxZoom = 2.5f;
inline constexpr float kZoomStep = 0.25f;

// Set-up gives a bar one unit per twip up to this excess, ten twips per unit above it.
inline constexpr float kFineStepLimit = 100.0f;

// A bar's small change moves the picture by about one row of the sheet (an amount row is
// 20 px high); its large change by about the viewport's inner size.
inline constexpr float kSheetRowTwips = 300.0f;

}  // namespace quillora::preview
