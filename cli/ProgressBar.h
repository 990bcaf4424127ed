// A one-line progress bar on a terminal: percentage, MB/s and time left. Draws
// nothing when it is not enabled.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

class ProgressBar {
 public:
  ProgressBar(std::ostream& out, bool enabled) : Out(out), Enabled(enabled) {}
  ~ProgressBar() { Clear(); }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Start(int64_t totalBytes);
  // Redraws at most ten times a second.
  void Update(int64_t doneBytes);
  // Erases the bar, so that the next line starts clean.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;

  void Draw(int64_t doneBytes);

  std::ostream& Out;
  bool Enabled;
  bool Drawn = false;
  int64_t Total = 0;
  Clock::time_point Begin;
  Clock::time_point LastDraw;
};
