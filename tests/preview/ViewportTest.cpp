#include <gtest/gtest.h>

#include "preview/core/Arithmetic.h"
#include "preview/core/Viewport.h"
#include "tests/preview/ViewportFakes.h"

namespace quillora::preview {
namespace {

using testing::RecordingTraps;
using testing::RecordingView;
using testing::Report;

constexpr int kLeftButton = 1;

// A viewport whose image box holds a picture of the given size (twips) and has been set up.
struct Fixture {
  explicit Fixture(SizeTwips picture) {
    viewport.pictureAssigned(picture);
    auto steps = traps.caller("Form_Activate");
    viewport.setUp(steps);
  }
  void drag(float fromX, float fromY, float toX, float toY) {
    viewport.Picture1_MouseDown(kLeftButton, 0, fromX, fromY);
    viewport.Picture1_MouseMove(kLeftButton, 0, toX, toY);
    viewport.Picture1_MouseUp(kLeftButton, 0, toX, toY);
  }
  RecordingView view;
  RecordingTraps traps;
  Viewport viewport{view, traps};
};

// The sheet picture: 550 x 2465 px.
constexpr SizeTwips kSheet{8250, 36975};

TEST(ViewportArithmetic, RoundsHalvesToEvenAndClampsInsteadOfWrapping) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2954.8), 2955);
  EXPECT_EQ(NearestInt16(32767.6), 32767);
  EXPECT_EQ(NearestInt16(-40000), -32768);
  EXPECT_EQ(ClampToInt16(32770), 32767);
  EXPECT_EQ(NearestInt32(1e12), 2147483647);
  EXPECT_EQ(NearestInt32(std::nan("")), 0);
}

TEST(ViewportSetUp, MeasuresTheSheetDrawsItWholeAndSetsTheBars) {
  Fixture f(kSheet);
  const Viewport& v = f.viewport;
  EXPECT_TRUE(f.view.holderHidden);
  EXPECT_EQ(f.view.holderCopies, 1);
  EXPECT_EQ(v.holder().width, 8250);
  EXPECT_EQ(v.zoom(), 1.0f);
  EXPECT_EQ(v.origWidth(), 8248);
  EXPECT_EQ(v.origHeight(), 36973);
  ASSERT_EQ(f.view.draws.size(), 1u);
  EXPECT_EQ(f.view.draws[0], (StretchDraw{8248, 36973, 8248, 36973}));
  EXPECT_EQ(v.imageBox().width, 8248);
  EXPECT_EQ(v.imageBox().height, 36973);
  EXPECT_EQ(f.view.pointerResets, 1);
  // Narrower than the viewport: no horizontal scrolling at all.
  EXPECT_FALSE(v.bar(Axis::Horizontal).enabled);
  EXPECT_EQ(v.hStep(), 0);
  // 36973 - 7425 = 29548 over: ten twips per unit, 2955 units.
  EXPECT_TRUE(v.bar(Axis::Vertical).enabled);
  EXPECT_EQ(v.vStep(), 10);
  EXPECT_EQ(v.bar(Axis::Vertical).max, 2955);
  EXPECT_EQ(v.bar(Axis::Vertical).value, 0);
  EXPECT_TRUE(f.traps.reports.empty());
}

TEST(ViewportSetUp, StepsOneUnitUpTo100TwipsOverAndTenAbove) {
  // Wider than 9000 twips is refused at 1.0 too, so the box keeps the picture's own size.
  Fixture exact({9330 + 100, 7425});
  EXPECT_EQ(exact.viewport.hStep(), 1);
  EXPECT_EQ(exact.viewport.bar(Axis::Horizontal).max, 100);
  EXPECT_TRUE(exact.viewport.bar(Axis::Horizontal).enabled);
  // As high as the viewport's outer size: disabled, step 0.
  EXPECT_FALSE(exact.viewport.bar(Axis::Vertical).enabled);
  EXPECT_EQ(exact.viewport.vStep(), 0);

  Fixture over({9330 + 101, 7425 + 1});
  EXPECT_EQ(over.viewport.hStep(), 10);
  EXPECT_EQ(over.viewport.bar(Axis::Horizontal).max, 10);  // 10.1
  EXPECT_EQ(over.viewport.vStep(), 1);
  EXPECT_EQ(over.viewport.bar(Axis::Vertical).max, 1);

  // Halves of the tenth go to the even neighbour.
  EXPECT_EQ(Fixture({9330 + 1025, 100}).viewport.bar(Axis::Horizontal).max, 102);
  EXPECT_EQ(Fixture({9330 + 1035, 100}).viewport.bar(Axis::Horizontal).max, 104);
  // A box drawn at 1.0 is 2 twips smaller than its picture.
  EXPECT_EQ(Fixture({100, 7425 + 102}).viewport.vStep(), 1);
  EXPECT_EQ(Fixture({100, 7425 + 103}).viewport.vStep(), 10);
}

TEST(ViewportZoom, StaysBetweenAQuarterAndTwoAndAHalf) {
  Fixture f({1500, 1500});
  for (int i = 0; i < 6; ++i) f.viewport.StepZoom(0);
  EXPECT_EQ(f.viewport.zoom(), 2.5f);
  EXPECT_EQ(f.viewport.scaledWidth(), 3745);  // floor(1498 x 2.5)
  const auto draws = f.view.draws.size();
  f.viewport.StepZoom(0);
  EXPECT_EQ(f.viewport.zoom(), 2.5f);
  EXPECT_EQ(f.view.draws.size(), draws);

  for (int i = 0; i < 12; ++i) f.viewport.StepZoom(1);
  EXPECT_EQ(f.viewport.zoom(), 0.25f);
  EXPECT_EQ(f.view.draws.back(), (StretchDraw{1498, 1498, 374, 374}));
  f.viewport.SetZoom(0.0f);
  f.viewport.SetZoom(2.75f);
  EXPECT_EQ(f.viewport.zoom(), 0.25f);
  EXPECT_TRUE(f.traps.reports.empty());
}

TEST(ViewportZoom, TheSheetRefusesZoomInAt100PercentUntilZoomedOut) {
  Fixture f(kSheet);
  f.viewport.setBarValue(Axis::Vertical, 40);
  f.viewport.StepZoom(0);  // 8248 x 1.25 = 10310 reaches 9000
  EXPECT_EQ(f.viewport.zoom(), 1.0f);
  EXPECT_EQ(f.view.draws.size(), 1u);
  EXPECT_EQ(f.viewport.scaledWidth(), 8248);
  // Nothing drawn and the bars untouched: the picture stays where it was.
  EXPECT_EQ(f.viewport.bar(Axis::Vertical).value, 40);
  EXPECT_EQ(f.viewport.imageBox().top, -400);

  f.viewport.StepZoom(1);
  EXPECT_EQ(f.viewport.zoom(), 0.75f);
  EXPECT_EQ(f.view.draws.back(), (StretchDraw{8248, 36973, 6186, 27729}));
  EXPECT_EQ(f.viewport.bar(Axis::Vertical).value, 0);
  EXPECT_EQ(f.viewport.imageBox().top, 0);
  f.viewport.StepZoom(0);
  EXPECT_EQ(f.viewport.zoom(), 1.0f);
  EXPECT_EQ(f.view.draws.size(), 3u);
  f.viewport.StepZoom(0);  // 1.25 again: refused again
  EXPECT_EQ(f.view.draws.size(), 3u);
}

TEST(ViewportZoom, TheLimitsAre9000And40000Themselves) {
  Fixture wide({7202, 1000});  // 7200 x 1.25 = 9000
  wide.viewport.StepZoom(0);
  EXPECT_EQ(wide.viewport.zoom(), 1.0f);
  Fixture justUnder({7201, 1000});  // 7199 x 1.25 = 8998.75
  justUnder.viewport.StepZoom(0);
  EXPECT_EQ(justUnder.viewport.zoom(), 1.25f);
  EXPECT_EQ(justUnder.viewport.scaledWidth(), 8998);

  Fixture tall({1000, 32002});  // 32000 x 1.25 = 40000
  tall.viewport.StepZoom(0);
  EXPECT_EQ(tall.viewport.zoom(), 1.0f);
  Fixture lower({1000, 32001});
  lower.viewport.StepZoom(0);
  EXPECT_EQ(lower.viewport.scaledHeight(), 39998);
}

TEST(ViewportZoom, ARefusalFromAboveOneLeavesTheLargerDrawingButCountsFromOne) {
  Fixture f({5202, 1000});
  f.viewport.StepZoom(0);
  f.viewport.StepZoom(0);  // 1.5: 7800
  f.viewport.StepZoom(0);  // 1.75: 9100 refused
  EXPECT_EQ(f.viewport.zoom(), 1.0f);
  EXPECT_EQ(f.viewport.imageBox().width, 7800);
  f.viewport.StepZoom(1);
  EXPECT_EQ(f.viewport.imageBox().width, 3900);  // 0.75
}

TEST(ViewportZoom, EnablesTheBarsByTheInnerSizeOfTheViewport) {
  // 7400 high: set-up disables the bar (not higher than the outer 7425) ...
  Fixture f({1000, 7402});
  EXPECT_FALSE(f.viewport.bar(Axis::Vertical).enabled);
  // ... but a redraw compares with the inner 7365 and enables it, still with step 0.
  f.viewport.StepZoom(1);
  EXPECT_FALSE(f.viewport.bar(Axis::Vertical).enabled);
  f.viewport.StepZoom(0);
  EXPECT_TRUE(f.viewport.bar(Axis::Vertical).enabled);
  EXPECT_EQ(f.viewport.vStep(), 0);
  f.viewport.setBarValue(Axis::Vertical, 5);
  EXPECT_EQ(f.viewport.imageBox().top, 0);
}

TEST(ViewportBars, MoveTheImageBoxByStepTimesValueClampedTo16Bits) {
  Fixture f(kSheet);
  f.viewport.setBarValue(Axis::Vertical, 2955);
  EXPECT_EQ(f.viewport.imageBox().top, -29550);
  EXPECT_THROW(f.viewport.setBarValue(Axis::Vertical, 2956), std::out_of_range);

  // A picture far beyond the limits keeps its natural size; its range and its moves clamp.
  Fixture huge({1000, 400000});
  EXPECT_EQ(huge.view.draws.size(), 0u);
  EXPECT_EQ(huge.viewport.imageBox().height, 400000);
  EXPECT_EQ(huge.viewport.bar(Axis::Vertical).max, 32767);
  huge.viewport.setBarValue(Axis::Vertical, 3277);  // 32770
  EXPECT_EQ(huge.viewport.imageBox().top, -32767);
  huge.viewport.setBarValue(Axis::Vertical, 32767);
  EXPECT_EQ(huge.viewport.imageBox().top, -32767);
}

TEST(ViewportDrag, MovesOnlyWithAButtonHeldAndStopsAtTheEdges) {
  Fixture f({20000, 36975});  // refused at 1.0: the box keeps 20000 x 36975
  f.viewport.Picture1_MouseDown(kLeftButton, 0, 5000, 5000);
  EXPECT_EQ(f.viewport.dragX(), 5000);
  f.viewport.Picture1_MouseMove(0, 0, 3000, 3000);
  EXPECT_EQ(f.viewport.imageBox().left, 0);
  f.viewport.Picture1_MouseMove(2, 0, 3000, 4000);  // any button
  EXPECT_EQ(f.viewport.imageBox().left, -2000);
  EXPECT_EQ(f.viewport.imageBox().top, -1000);
  f.viewport.Picture1_MouseMove(kLeftButton, 0, 9000, 9000);  // back past the corner
  EXPECT_EQ(f.viewport.imageBox().left, 0);
  EXPECT_EQ(f.viewport.imageBox().top, 0);
  f.viewport.Picture1_MouseMove(kLeftButton, 0, -90000, -90000);
  EXPECT_EQ(f.viewport.imageBox().left, 9270 - 20000);
  EXPECT_EQ(f.viewport.imageBox().top, 7365 - 36975);
  // Dragging never touches the bars.
  EXPECT_EQ(f.viewport.bar(Axis::Vertical).value, 0);
}

TEST(ViewportDrag, ANarrowPictureGoesFlushLeftOrFlushRight) {
  Fixture f(kSheet);  // 8248 wide, inner width 9270
  f.viewport.Picture1_MouseDown(kLeftButton, 0, 100, 100);
  f.viewport.Picture1_MouseMove(kLeftButton, 0, 150, 100);
  EXPECT_EQ(f.viewport.imageBox().left, 0);
  f.viewport.Picture1_MouseMove(kLeftButton, 0, 100, 100);  // no horizontal movement
  EXPECT_EQ(f.viewport.imageBox().left, 1022);
  f.viewport.Picture1_MouseMove(kLeftButton, 0, 100, 100);  // 1022 is above 0
  EXPECT_EQ(f.viewport.imageBox().left, 0);
  f.viewport.Picture1_MouseMove(kLeftButton, 0, 50, 100);
  EXPECT_EQ(f.viewport.imageBox().left, 1022);
}

TEST(ViewportMouseUp, SnapsToTheNearestBarPosition) {
  Fixture f({20000, 36975});  // H: 10670 over, max 1067, step 10
  ASSERT_EQ(f.viewport.bar(Axis::Horizontal).max, 1067);
  f.drag(6000, 6000, 1000, 6003);
  // 5000 / 10670 = 46.86 % -> 47 -> 501.49 -> 501; 3 / 29550 -> 0 %.
  EXPECT_EQ(f.viewport.bar(Axis::Horizontal).value, 501);
  EXPECT_EQ(f.viewport.imageBox().left, -5010);
  EXPECT_EQ(f.viewport.bar(Axis::Vertical).value, 0);
  EXPECT_EQ(f.viewport.imageBox().top, 0);
  EXPECT_TRUE(f.traps.reports.empty());
}

TEST(ViewportMouseUp, PercentagesAbove100OrBelow0LeaveTheBars) {
  Fixture wide({20000, 36975});
  wide.drag(0, 0, -90000, 0);  // left -10730: 10730 / 10670 -> 101 %
  EXPECT_EQ(wide.viewport.imageBox().left, -10730);
  EXPECT_EQ(wide.viewport.bar(Axis::Horizontal).value, 0);

  Fixture narrow(kSheet);
  narrow.viewport.setBarValue(Axis::Vertical, 7);
  narrow.drag(100, 100, 100, 100);  // flush right at 1022: 1022 / -1082 -> -94 %
  EXPECT_EQ(narrow.viewport.imageBox().left, 1022);
  EXPECT_EQ(narrow.viewport.bar(Axis::Horizontal).value, 0);
  // The vertical axis went on as usual: top -70 is 0 % of 29548.
  EXPECT_EQ(narrow.viewport.bar(Axis::Vertical).value, 0);
}

TEST(ViewportMouseUp, AnAxisAsLargeAsTheViewportCountsAsZeroWithoutAReport) {
  Fixture f({9330, 20000});  // box 9330 wide, exactly the viewport's outer width
  f.viewport.setBarValue(Axis::Vertical, 100);
  f.drag(0, 0, -500, 0);  // moves to the far limit -60
  EXPECT_EQ(f.viewport.imageBox().left, -60);
  EXPECT_TRUE(f.traps.reports.empty());
  EXPECT_EQ(f.viewport.bar(Axis::Horizontal).value, 0);
  // The vertical axis is set after it: top -1000 of 12575 over -> 8 % -> 100.64 -> 101.
  EXPECT_EQ(f.viewport.bar(Axis::Vertical).max, 1258);
  EXPECT_EQ(f.viewport.bar(Axis::Vertical).value, 101);
}

TEST(ViewportFailures, ARedrawReportsTheFailingStepAndGoesOn) {
  RecordingView view;
  RecordingTraps traps;
  Viewport viewport(view, traps);
  view.failDrawing = true;
  viewport.pictureAssigned(kSheet);
  auto steps = traps.caller("Form_Activate");
  viewport.setUp(steps);
  EXPECT_EQ(traps.reports, (std::vector<Report>{{"RedrawImage", 112, "Out of memory"}}));
  // The later steps ran: pointer, bars, and the set-up's ResetScrollbars.
  EXPECT_EQ(view.pointerResets, 1);
  EXPECT_EQ(viewport.vStep(), 10);
}

TEST(ViewportPicture, ANewPictureSizesTheBoxOnlyOnceSetUpMadeItAutoSize) {
  RecordingView view;
  RecordingTraps traps;
  Viewport viewport(view, traps);
  viewport.pictureAssigned(kSheet);
  EXPECT_EQ(viewport.imageBox().width, 2340);  // the design size until set-up
  auto steps = traps.caller("Form_Activate");
  viewport.setUp(steps);
  viewport.StepZoom(1);
  viewport.pictureAssigned(SizeTwips{3000, 4500});
  EXPECT_EQ(viewport.imageBox().width, 3000);
  // Set-up again for the new picture: whole, at 1.0, bars for its size.
  viewport.setUp(steps);
  EXPECT_EQ(viewport.zoom(), 1.0f);
  EXPECT_EQ(viewport.origWidth(), 2998);
  EXPECT_EQ(view.draws.back(), (StretchDraw{2998, 4498, 2998, 4498}));
  EXPECT_FALSE(viewport.bar(Axis::Vertical).enabled);
  EXPECT_EQ(viewport.vStep(), 0);
}

}  // namespace
}  // namespace quillora::preview
