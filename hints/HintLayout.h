// What a balloon hint computes without a window: its words and display time, its
// place at the screen edges, its outline scaled to the window, and the hover count
// that decides when it is shown.
#pragma once

#include <cstdint>
#include <vector>

// Shape units: y grows upwards, so a box has Top > Bottom.
struct ShapePoint {
  int32_t X;
  int32_t Y;
};
struct ShapeBox {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};
// Client pixels: y grows downwards.
struct PixelBox {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

// The balloon: tail tip at 0, 0, an oval body above and to the right; closed.
constexpr int32_t BalloonPointCount = 27;
extern const ShapePoint BalloonShape[BalloonPointCount];
extern const ShapeBox BalloonTextBox;

constexpr int32_t FlipLeftRight = 1;  // opens to the left, tail at the lower right
constexpr int32_t FlipTopBottom = 2;  // opens below the point, tail at the top

// A word is a maximal run of characters other than the blank.
struct WordSpan {
  int32_t Start;
  int32_t Length;
};
std::vector<WordSpan> FindWords(const char* text);

// How long a hint of `wordCount` words stays at full alpha: the post-delay, kept within
// 500..60000 ms, times one for every ten words (at least once).
int32_t DisplayTime(int32_t postDelay, int32_t wordCount);

struct HintPlacement {
  int32_t X;  // window corner, screen pixels
  int32_t Y;
  int32_t Flips;
};
// The balloon goes above and to the right of the point x, y; it opens to the left at
// the right edge of the screen and below the point at the top edge.
HintPlacement PlaceHint(int32_t x, int32_t y, int32_t width, int32_t height, int32_t screenWidth,
                        int32_t screenHeight);

class HintShape {
 public:
  // Largest coordinate a custom outline or text box may use.
  static constexpr int32_t MaxCoordinate = 65535;

  // A custom outline of more than 3 points, with a text box of some width and height,
  // all within 0..MaxCoordinate, replaces the balloon; anything else gives the balloon.
  HintShape(const ShapePoint* points, int32_t pointCount, const ShapeBox* textBox);

  const std::vector<ShapePoint>& Points() const { return Outline; }
  const ShapeBox& TextBox() const { return Box; }
  int32_t Width() const { return ShapeWidth; }    // largest x plus 2
  int32_t Height() const { return ShapeHeight; }  // largest y plus 1

  // A laid-out text size grown from the text box to the whole shape.
  void GrowToShape(int32_t& width, int32_t& height) const;

  // The outline and the text box in client pixels of a window of that size.
  void Scale(int32_t width, int32_t height, int32_t flips, std::vector<ShapePoint>& points,
             PixelBox& text) const;

 private:
  std::vector<ShapePoint> Outline;
  ShapeBox Box;
  int32_t ShapeWidth = 0;
  int32_t ShapeHeight = 0;
};

// Polling every tenth of the pre-delay, never faster than every 10 ms; 0 (no polling,
// no hints) for a pre-delay of 0 or less.
int32_t PollingPeriod(int32_t preDelay);

enum class HoverTick {
  Entered,   // a new control: any hint goes, counting starts again
  Counting,  // the same control, no hint due
  ShowHint,  // the same control for the tenth tick after entering it
};

// Counts the polling ticks the cursor spends over one control. One hint per visit:
// none when that control's list is dropped down on the tenth tick.
class HoverCount {
 public:
  HoverTick OverControl(int32_t id, bool dropped);
  // The cursor is off every control: the next control hit is a new visit.
  void OffControls() { OverAny = false; }

 private:
  static constexpr int32_t ShowAt = 10;

  bool OverAny = false;
  int32_t Control = 0;
  int32_t Ticks = 0;  // 0..ShowAt + 1
};
