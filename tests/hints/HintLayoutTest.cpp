#include "hints/HintLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

int32_t Words(const char* text) {
  return static_cast<int32_t>(FindWords(text).size());
}

TEST(HintWords, OnlyTheBlankSeparates) {
  EXPECT_EQ(Words(nullptr), 0);
  EXPECT_EQ(Words(""), 0);
  EXPECT_EQ(Words("    "), 0);
  EXPECT_EQ(Words("word"), 1);
  EXPECT_EQ(Words("  two   words "), 2);
  EXPECT_EQ(Words("channel.It does"), 2);
  EXPECT_EQ(Words("tab\tand\nnewline"), 1);
  std::vector<WordSpan> spans = FindWords(" ab  c ");
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_EQ(spans[0].Start, 1);
  EXPECT_EQ(spans[0].Length, 2);
  EXPECT_EQ(spans[1].Start, 5);
  EXPECT_EQ(spans[1].Length, 1);
}

TEST(HintDisplayTime, GrowsByTheTenWordsAndKeepsThePostDelayInRange) {
  EXPECT_EQ(DisplayTime(1000, 0), 1000);
  EXPECT_EQ(DisplayTime(1000, 1), 1000);
  EXPECT_EQ(DisplayTime(1000, 19), 1000);
  EXPECT_EQ(DisplayTime(1000, 20), 2000);
  EXPECT_EQ(DisplayTime(1000, 29), 2000);
  EXPECT_EQ(DisplayTime(1000, 30), 3000);
  EXPECT_EQ(DisplayTime(1000, 64), 6000);
  EXPECT_EQ(DisplayTime(499, 5), 500);
  EXPECT_EQ(DisplayTime(-3, 5), 500);
  EXPECT_EQ(DisplayTime(60001, 5), 60000);
  EXPECT_EQ(DisplayTime(60001, 20), 120000);
  // An absurdly long text stays at the longest timer rather than wrapping round.
  EXPECT_EQ(DisplayTime(60000, INT_MAX), INT_MAX);
}

constexpr int32_t ScreenWidth = 1280;
constexpr int32_t ScreenHeight = 1024;

TEST(HintPlacement, AboveAndRightOfThePointFlippingAtTheEdges) {
  // Room everywhere: above and to the right, tail at the lower left.
  HintPlacement place = PlaceHint(500, 400, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.X, 500);
  EXPECT_EQ(place.Y, 350);
  EXPECT_EQ(place.Flips, 0);

  // The right limit is the screen width less the width less 1: still room at it...
  place = PlaceHint(1179, 400, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.X, 1179);
  EXPECT_EQ(place.Flips, 0);
  // ...and one pixel further the balloon opens to the left of the point.
  place = PlaceHint(1180, 400, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.X, 1080);
  EXPECT_EQ(place.Y, 350);
  EXPECT_EQ(place.Flips, FlipLeftRight);

  // Near the top it opens below the point, tail at the top.
  place = PlaceHint(500, 49, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.Y, 49);
  EXPECT_EQ(place.Flips, FlipTopBottom);
  place = PlaceHint(500, 50, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.Y, 0);
  EXPECT_EQ(place.Flips, 0);

  // The top right corner mirrors both ways.
  place = PlaceHint(1270, 5, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.X, 1170);
  EXPECT_EQ(place.Y, 5);
  EXPECT_EQ(place.Flips, FlipLeftRight | FlipTopBottom);

  // A monitor left of the primary one: the balloon starts at 0, unmirrored.
  place = PlaceHint(-300, 400, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.X, 0);
  EXPECT_EQ(place.Flips, 0);

  // Below the screen: kept at the bottom limit.
  place = PlaceHint(500, 2000, 100, 50, ScreenWidth, ScreenHeight);
  EXPECT_EQ(place.Y, ScreenHeight - 50 - 1);
  EXPECT_EQ(place.Flips, 0);
}

TEST(HintShape, TheBalloonByDefault) {
  HintShape shape(nullptr, 0, nullptr);
  EXPECT_EQ(shape.Width(), 42);
  EXPECT_EQ(shape.Height(), 31);
  EXPECT_EQ(shape.Points().front().X, shape.Points().back().X);
  EXPECT_EQ(shape.Points().front().Y, shape.Points().back().Y);

  // The laid-out text grows from the 25 by 17 text box to the 42 by 31 shape.
  int32_t width = 100;
  int32_t height = 34;
  shape.GrowToShape(width, height);
  EXPECT_EQ(width, 168);
  EXPECT_EQ(height, 62);
}

const ShapePoint Square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
const ShapeBox SquareBox = {2, 8, 8, 2};

TEST(HintShape, UnusableOutlinesAndTextBoxesGiveTheBalloon) {
  const ShapeBox flat = {2, 5, 8, 5};
  const ShapeBox thin = {4, 8, 4, 2};
  const ShapeBox upsideDown = {2, 2, 8, 8};
  const ShapePoint negative[] = {{0, 0}, {-10, 0}, {-10, 10}, {0, 10}, {0, 0}};
  const ShapePoint huge[] = {{0, 0}, {70000, 0}, {70000, 10}, {0, 10}, {0, 0}};
  EXPECT_EQ(HintShape(Square, 3, &SquareBox).Width(), 42) << "3 points are too few";
  EXPECT_EQ(HintShape(Square, 5, nullptr).Width(), 42);
  EXPECT_EQ(HintShape(Square, 5, &flat).Width(), 42) << "no height to divide by";
  EXPECT_EQ(HintShape(Square, 5, &thin).Width(), 42) << "no width to divide by";
  EXPECT_EQ(HintShape(Square, 5, &upsideDown).Width(), 42);
  EXPECT_EQ(HintShape(negative, 5, &SquareBox).Width(), 42);
  EXPECT_EQ(HintShape(huge, 5, &SquareBox).Width(), 42);

  HintShape square(Square, 5, &SquareBox);
  EXPECT_EQ(square.Width(), 12);
  EXPECT_EQ(square.Height(), 11);
  EXPECT_EQ(square.Points().size(), 5u);
}

struct Scaled {
  std::vector<ShapePoint> Points;
  PixelBox Text;
};

Scaled ScaleSquare(int32_t flips) {
  Scaled scaled;
  // 120 by 110 pixels over 12 by 11 shape units: ten pixels a unit each way.
  HintShape(Square, 5, &SquareBox).Scale(120, 110, flips, scaled.Points, scaled.Text);
  return scaled;
}

TEST(HintShape, ScalesToTheWindowAndMirrors) {
  Scaled plain = ScaleSquare(0);
  ASSERT_EQ(plain.Points.size(), 5u);
  // y grows downwards in the window: the shape's 0 is the bottom.
  EXPECT_EQ(plain.Points[0].X, 1);
  EXPECT_EQ(plain.Points[0].Y, 111);
  EXPECT_EQ(plain.Points[2].X, 101);
  EXPECT_EQ(plain.Points[2].Y, 11);
  EXPECT_EQ(plain.Text.Left, 21);
  EXPECT_EQ(plain.Text.Top, 31);
  EXPECT_EQ(plain.Text.Right, 81);
  EXPECT_EQ(plain.Text.Bottom, 91);

  Scaled leftRight = ScaleSquare(FlipLeftRight);
  EXPECT_EQ(leftRight.Points[0].X, 119);
  EXPECT_EQ(leftRight.Points[0].Y, 111);
  EXPECT_EQ(leftRight.Points[2].X, 19);
  EXPECT_EQ(leftRight.Text.Left, 39);
  EXPECT_EQ(leftRight.Text.Right, 99);
  EXPECT_EQ(leftRight.Text.Top, 31);

  Scaled topBottom = ScaleSquare(FlipTopBottom);
  EXPECT_EQ(topBottom.Points[0].X, 1);
  EXPECT_EQ(topBottom.Points[0].Y, -1);
  EXPECT_EQ(topBottom.Points[2].Y, 99);
  EXPECT_EQ(topBottom.Text.Left, 21);
  EXPECT_EQ(topBottom.Text.Top, 19);
  EXPECT_EQ(topBottom.Text.Bottom, 79);

  Scaled both = ScaleSquare(FlipLeftRight | FlipTopBottom);
  EXPECT_EQ(both.Points[0].X, 119);
  EXPECT_EQ(both.Points[0].Y, -1);
  // Every text box stays left of its right and above its bottom.
  for (const Scaled* s : {&plain, &leftRight, &topBottom, &both}) {
    EXPECT_LT(s->Text.Left, s->Text.Right);
    EXPECT_LT(s->Text.Top, s->Text.Bottom);
  }
}

TEST(HintShape, LargeWindowsScaleWithoutOverflow) {
  // 100000 * 65536 leaves 32 bits.
  std::vector<ShapePoint> points;
  PixelBox text;
  HintShape balloon(nullptr, 0, nullptr);
  balloon.Scale(100000, 100000, 0, points, text);
  EXPECT_EQ(points[15].X, 95239);  // (40, 20): 100000 * 40 / 42, plus 1
  EXPECT_EQ(points[15].Y, 100001 - 64516);
  int32_t width = INT_MAX;
  int32_t height = 1 << 30;
  balloon.GrowToShape(width, height);
  EXPECT_EQ(width, INT_MAX) << "saturates";
  EXPECT_EQ(height, 1957999796) << "(1 << 30) * 31 / 17, exact";

  // The largest custom outline on a large window.
  const ShapePoint big[] = {{0, 0}, {65535, 0}, {65535, 65535}, {0, 65535}, {0, 0}};
  const ShapeBox box = {0, 65535, 65535, 0};
  HintShape(big, 5, &box).Scale(INT_MAX, INT_MAX, FlipLeftRight, points, text);
  EXPECT_GT(points[0].X, 0);
  EXPECT_LT(points[1].X, points[0].X);
}

TEST(HoverPolling, ATenthOfThePreDelayAtLeast10Ms) {
  EXPECT_EQ(PollingPeriod(2000), 200);
  EXPECT_EQ(PollingPeriod(105), 10);
  EXPECT_EQ(PollingPeriod(99), 10);
  EXPECT_EQ(PollingPeriod(1), 10);
  EXPECT_EQ(PollingPeriod(0), 0) << "a pre-delay of 0 switches hints off";
  EXPECT_EQ(PollingPeriod(-100), 0);
}

// The tick (1 = the tick that first sees the control) on which the hint shows, 0 for
// none within `ticks`.
int32_t ShowsOnTick(HoverCount& hover, int32_t id, int32_t ticks, int32_t droppedOnTick = 0) {
  int32_t shown = 0;
  for (int32_t tick = 1; tick <= ticks; ++tick) {
    if (hover.OverControl(id, tick == droppedOnTick) == HoverTick::ShowHint) {
      EXPECT_EQ(shown, 0) << "a second hint in one visit";
      shown = tick;
    }
  }
  return shown;
}

TEST(HoverCount, OneHintTenTicksAfterEnteringEachVisit) {
  HoverCount hover;
  EXPECT_EQ(hover.OverControl(1019, false), HoverTick::Entered);
  hover.OffControls();
  // Ten polling periods after the control was first seen, then never again.
  EXPECT_EQ(ShowsOnTick(hover, 1019, 100), 11);

  // Another control is a new visit with its own count.
  EXPECT_EQ(hover.OverControl(1052, false), HoverTick::Entered);
  EXPECT_EQ(ShowsOnTick(hover, 1052, 10), 10);

  // Leaving all controls and coming back to the same one counts again.
  hover.OffControls();
  EXPECT_EQ(ShowsOnTick(hover, 1052, 11), 11);

  // Moving on before the tenth tick shows nothing there.
  hover.OffControls();
  EXPECT_EQ(ShowsOnTick(hover, 1012, 10), 0);
  EXPECT_EQ(ShowsOnTick(hover, 1013, 5), 0);
  EXPECT_EQ(ShowsOnTick(hover, 1012, 11), 11);
}

TEST(HoverCount, ADroppedListOnTheTenthTickSuppressesThatVisit) {
  HoverCount hover;
  EXPECT_EQ(ShowsOnTick(hover, 1012, 50, 11), 0);
  // Dropped earlier or later than that tick does not matter.
  hover.OffControls();
  EXPECT_EQ(ShowsOnTick(hover, 1012, 50, 5), 11);
  hover.OffControls();
  EXPECT_EQ(ShowsOnTick(hover, 1012, 50, 12), 11);
  // A new visit after closing the list counts afresh.
  hover.OffControls();
  EXPECT_EQ(ShowsOnTick(hover, 1012, 50, 11), 0);
  hover.OffControls();
  EXPECT_EQ(ShowsOnTick(hover, 1012, 50), 11);
}

TEST(HoverCount, ARowForTheDialogItselfCountsLikeAnyControl) {
  HoverCount hover;
  EXPECT_EQ(ShowsOnTick(hover, 0, 20), 11);
  hover.OffControls();
  EXPECT_EQ(ShowsOnTick(hover, 0, 20), 11);
}

}  // namespace
