#include "cli/ProgressBar.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr int BarWidth = 30;
constexpr auto RedrawPeriod = std::chrono::milliseconds(100);
constexpr int LineWidth = 79;

// "1:05" or "2:03:45".
void FormatDuration(char (&text)[32], int64_t seconds) {
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%" PRId64 ":%02d:%02d", seconds / 3600,
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%d:%02d", static_cast<int>(seconds / 60),
                  static_cast<int>(seconds % 60));
  }
}

}  // namespace

void ProgressBar::Start(int64_t totalBytes) {
  Total = totalBytes > 0 ? totalBytes : 1;
  Begin = Clock::now();
  LastDraw = Begin - RedrawPeriod;
}

void ProgressBar::Update(int64_t doneBytes) {
  if (!Enabled) {
    return;
  }
  Clock::time_point now = Clock::now();
  if (now - LastDraw < RedrawPeriod) {
    return;
  }
  LastDraw = now;
  Draw(doneBytes);
}

void ProgressBar::Draw(int64_t doneBytes) {
  double seconds = std::chrono::duration<double>(Clock::now() - Begin).count();
  double fraction = static_cast<double>(doneBytes) / static_cast<double>(Total);
  if (fraction > 1) {
    fraction = 1;
  }
  char bar[BarWidth + 1];
  int filled = static_cast<int>(fraction * BarWidth);
  for (int i = 0; i < BarWidth; ++i) {
    bar[i] = i < filled ? '#' : '.';
  }
  bar[BarWidth] = '\0';
  char speed[32] = "";
  char left[48] = "";
  if (seconds > 0.2 && doneBytes > 0) {
    double bytesPerSecond = static_cast<double>(doneBytes) / seconds;
    std::snprintf(speed, sizeof speed, "%8.1f MB/s", bytesPerSecond / 1e6);
    char remaining[32];
    FormatDuration(remaining,
                   static_cast<int64_t>(static_cast<double>(Total - doneBytes) / bytesPerSecond));
    std::snprintf(left, sizeof left, "  %s left", remaining);
  }
  char line[128];
  std::snprintf(line, sizeof line, "\r%3d%% [%s]%s%s", static_cast<int>(fraction * 100), bar, speed,
                left);
  Out << line;
  Out.flush();
  Drawn = true;
}

void ProgressBar::Clear() {
  if (!Drawn) {
    return;
  }
  Out << '\r' << std::string(LineWidth, ' ') << '\r';
  Out.flush();
  Drawn = false;
}
