#include "hints/HintLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

TEST(HintWords, OnlyTheBlankSeparates) {
  const std::pair<const char*, std::size_t> counts[] = {{nullptr, 0},
                                                        {"", 0},
                                                        {"    ", 0},
                                                        {"word", 1},
                                                        {"  two   words ", 2},
                                                        {"channel.It does", 2},
                                                        {"tab\tand\nnewline", 1}};
  for (const auto& [text, words] : counts) {
    EXPECT_EQ(FindWords(text).size(), words) << (text != nullptr ? text : "null");
  }
  std::vector<WordSpan> spans = FindWords(" ab  c ");
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_EQ(spans[0].Start, 1);
  EXPECT_EQ(spans[0].Length, 2);
  EXPECT_EQ(spans[1].Start, 5);
  EXPECT_EQ(spans[1].Length, 1);
}

TEST(HintDisplayTime, GrowsByTheTenWordsAndKeepsThePostDelayInRange) {
  // Post-delay, words, display time; an absurdly long text stays at the longest timer
  // rather than wrapping round.
  const int32_t cases[][3] = {{1000, 0, 1000},   {1000, 1, 1000},     {1000, 19, 1000},
                              {1000, 20, 2000},  {1000, 29, 2000},    {1000, 30, 3000},
                              {1000, 64, 6000},  {499, 5, 500},       {-3, 5, 500},
                              {60001, 5, 60000}, {60001, 20, 120000}, {60000, INT_MAX, INT_MAX}};
  for (const auto& c : cases) {
    EXPECT_EQ(DisplayTime(c[0], c[1]), c[2]) << c[0] << " " << c[1];
  }
}

TEST(HintPlacement, AboveAndRightOfThePointFlippingAtTheEdges) {
  // x, y of the point; x, y and flips of the balloon of 100 × 50 on a 1280 × 1024 screen.
  const int32_t cases[][5] = {
      {500, 400, 500, 350, 0},  // room everywhere: above and to the right
      // The right limit is the screen width less the width less 1: still room at it,
      // and one pixel further the balloon opens to the left of the point.
      {1179, 400, 1179, 350, 0},
      {1180, 400, 1080, 350, FlipLeftRight},
      // Near the top it opens below the point, tail at the top.
      {500, 49, 500, 49, FlipTopBottom},
      {500, 50, 500, 0, 0},
      {1270, 5, 1170, 5, FlipLeftRight | FlipTopBottom},
      {-300, 400, 0, 350, 0},          // a monitor left of the primary one: unmirrored at 0
      {500, 2000, 500, 1024 - 51, 0},  // below the screen: kept at the bottom limit
  };
  for (const auto& c : cases) {
    HintPlacement place = PlaceHint(c[0], c[1], 100, 50, 1280, 1024);
    EXPECT_EQ(std::vector<int32_t>({place.X, place.Y, place.Flips}),
              std::vector<int32_t>({c[2], c[3], c[4]}))
        << c[0] << ", " << c[1];
  }
}

const ShapePoint Square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
const ShapeBox SquareBox = {2, 8, 8, 2};

TEST(HintShape, UnusableOutlinesAndTextBoxesGiveTheBalloon) {
  HintShape balloon(nullptr, 0, nullptr);
  EXPECT_EQ(balloon.Width(), 42);
  EXPECT_EQ(balloon.Height(), 31);
  // The laid-out text grows from the 25 by 17 text box to the 42 by 31 shape.
  int32_t width = 100;
  int32_t height = 34;
  balloon.GrowToShape(width, height);
  EXPECT_EQ(width, 168);
  EXPECT_EQ(height, 62);

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

TEST(HintShape, ScalesToTheWindowAndMirrors) {
  // 120 by 110 pixels over 12 by 11 shape units: ten pixels a unit each way. Per flip:
  // the first and third point, then the text box; y grows downwards in the window.
  const std::pair<int32_t, std::vector<int32_t>> cases[] = {
      {0, {1, 111, 101, 11, 21, 31, 81, 91}},
      {FlipLeftRight, {119, 111, 19, 11, 39, 31, 99, 91}},
      {FlipTopBottom, {1, -1, 101, 99, 21, 19, 81, 79}},
      {FlipLeftRight | FlipTopBottom, {119, -1, 19, 99, 39, 19, 99, 79}},
  };
  for (const auto& [flips, expected] : cases) {
    std::vector<ShapePoint> points;
    PixelBox text;
    HintShape(Square, 5, &SquareBox).Scale(120, 110, flips, points, text);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(std::vector<int32_t>({points[0].X, points[0].Y, points[2].X, points[2].Y, text.Left,
                                    text.Top, text.Right, text.Bottom}),
              expected)
        << flips;
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
  // A pre-delay of 0 or less switches hints off.
  for (auto [preDelay, period] :
       {std::pair{2000, 200}, {105, 10}, {99, 10}, {1, 10}, {0, 0}, {-100, 0}}) {
    EXPECT_EQ(PollingPeriod(preDelay), period) << preDelay;
  }
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

TEST(HoverCount, OneHintTenTicksAfterEnteringEachVisitUnlessAListDropsThen) {
  HoverCount hover;
  EXPECT_EQ(hover.OverControl(1019, false), HoverTick::Entered);
  // Control (0: the dialog itself), ticks over it, whether the cursor left every control
  // first, the tick a list dropped on, the tick of the hint: ten polling periods after
  // the control was first seen, then never again; another control or coming back counts
  // afresh; moving on early shows nothing; only a list dropped on the tenth tick counts.
  const int32_t visits[][5] = {{1019, 100, 1, 0, 11}, {1052, 11, 0, 0, 11}, {1052, 11, 1, 0, 11},
                               {1012, 10, 1, 0, 0},   {1013, 5, 0, 0, 0},   {1012, 11, 0, 0, 11},
                               {0, 50, 1, 0, 11},     {1012, 50, 1, 11, 0}, {1012, 50, 1, 5, 11},
                               {1012, 50, 1, 12, 11}, {1012, 50, 1, 11, 0}, {1012, 50, 1, 0, 11}};
  for (const auto& v : visits) {
    if (v[2] != 0) {
      hover.OffControls();
    }
    EXPECT_EQ(ShowsOnTick(hover, v[0], v[1], v[3]), v[4]) << v[0] << " dropped on " << v[3];
  }
}

}  // namespace
