#include "hints/HintLayout.h"

#include <algorithm>
#include <limits>

const ShapePoint BalloonShape[BalloonPointCount] = {
    {0, 0},   {1, 6},   {2, 12},  {3, 16},  {4, 19},  {5, 21},  {7, 25},  {11, 28}, {14, 29},
    {22, 30}, {31, 30}, {34, 29}, {36, 28}, {38, 25}, {39, 23}, {40, 20}, {40, 18}, {39, 15},
    {38, 13}, {36, 11}, {34, 9},  {30, 7},  {24, 6},  {13, 6},  {6, 5},   {2, 3},   {0, 0}};
const ShapeBox BalloonTextBox = {9, 26, 34, 9};

namespace {

constexpr int32_t ShortestPostDelay = 500;
constexpr int32_t LongestPostDelay = 60000;
constexpr int32_t WordsPerPostDelay = 10;
constexpr int32_t FewestPolls = 10;
constexpr int32_t ShortestPeriod = 10;
constexpr int64_t One = 65536;  // 16.16 fixed point

int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

bool InShapeRange(int32_t value) {
  return value >= 0 && value <= HintShape::MaxCoordinate;
}

bool UsableOutline(const ShapePoint* points, int32_t count) {
  if (points == nullptr || count <= 3) {
    return false;
  }
  return std::all_of(points, points + count,
                     [](const ShapePoint& p) { return InShapeRange(p.X) && InShapeRange(p.Y); });
}

bool UsableBox(const ShapeBox* box) {
  return box != nullptr && InShapeRange(box->Left) && InShapeRange(box->Right) &&
         InShapeRange(box->Top) && InShapeRange(box->Bottom) && box->Right > box->Left &&
         box->Top > box->Bottom;
}

}  // namespace

std::vector<WordSpan> FindWords(const char* text) {
  std::vector<WordSpan> words;
  if (text == nullptr) {
    return words;
  }
  for (int32_t i = 0; text[i] != '\0';) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    int32_t start = i;
    while (text[i] != '\0' && text[i] != ' ') {
      ++i;
    }
    words.push_back({start, i - start});
  }
  return words;
}

int32_t DisplayTime(int32_t postDelay, int32_t wordCount) {
  int64_t delay = std::clamp(postDelay, ShortestPostDelay, LongestPostDelay);
  return Saturate(delay * std::max(1, wordCount / WordsPerPostDelay));
}

HintPlacement PlaceHint(int32_t x, int32_t y, int32_t width, int32_t height, int32_t screenWidth,
                        int32_t screenHeight) {
  HintPlacement place = {x, y, 0};
  int32_t rightLimit = screenWidth - width - 1;
  int32_t bottomLimit = screenHeight - height - 1;
  if (place.X < 0) {
    place.X = 0;
  } else if (place.X > rightLimit) {
    place.Flips |= FlipLeftRight;
    place.X -= width;
  }
  place.Y -= height;
  if (place.Y < 0) {
    place.Flips |= FlipTopBottom;
    place.Y += height;
  } else if (place.Y > bottomLimit) {
    place.Y = bottomLimit;
  }
  return place;
}

HintShape::HintShape(const ShapePoint* points, int32_t pointCount, const ShapeBox* textBox) {
  if (UsableOutline(points, pointCount) && UsableBox(textBox)) {
    Outline.assign(points, points + pointCount);
    Box = *textBox;
  } else {
    Outline.assign(BalloonShape, BalloonShape + BalloonPointCount);
    Box = BalloonTextBox;
  }
  for (const ShapePoint& point : Outline) {
    ShapeWidth = std::max(ShapeWidth, point.X + 2);
    ShapeHeight = std::max(ShapeHeight, point.Y + 1);
  }
}

void HintShape::GrowToShape(int32_t& width, int32_t& height) const {
  width = Saturate(int64_t{width} * ShapeWidth / (Box.Right - Box.Left));
  height = Saturate(int64_t{height} * ShapeHeight / (Box.Top - Box.Bottom));
}

void HintShape::Scale(int32_t width, int32_t height, int32_t flips, std::vector<ShapePoint>& points,
                      PixelBox& text) const {
  const int64_t w = std::max(width, 0);
  const int64_t h = std::max(height, 0);
  const int64_t sx = w * One / ShapeWidth;
  const int64_t sy = h * One / ShapeHeight;
  const bool mirrorX = (flips & FlipLeftRight) != 0;
  const bool mirrorY = (flips & FlipTopBottom) != 0;
  // Coordinates are at most 65535 and the scales at most w * 32768, so no product
  // leaves 64 bits.
  auto pixelX = [&](int32_t x) {
    int64_t p = (x * sx >> 16) + 1;
    return Saturate(mirrorX ? w - p : p);
  };
  auto pixelY = [&](int32_t y) {
    int64_t s = y * sy >> 16;
    return Saturate(mirrorY ? s - 1 : h + 1 - s);
  };
  points.clear();
  for (const ShapePoint& point : Outline) {
    points.push_back({pixelX(point.X), pixelY(point.Y)});
  }
  text.Left = pixelX(mirrorX ? Box.Right : Box.Left);
  text.Right = pixelX(mirrorX ? Box.Left : Box.Right);
  text.Top = pixelY(mirrorY ? Box.Bottom : Box.Top);
  text.Bottom = pixelY(mirrorY ? Box.Top : Box.Bottom);
}

int32_t PollingPeriod(int32_t preDelay) {
  if (preDelay <= 0) {
    return 0;
  }
  return std::max(preDelay / FewestPolls, ShortestPeriod);
}

HoverTick HoverCount::OverControl(int32_t id, bool dropped) {
  if (!OverAny || id != Control) {
    OverAny = true;
    Control = id;
    Ticks = 0;
    return HoverTick::Entered;
  }
  Ticks = std::min(Ticks + 1, ShowAt + 1);
  return Ticks == ShowAt && !dropped ? HoverTick::ShowHint : HoverTick::Counting;
}
