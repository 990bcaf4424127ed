#include "app/MainApplication.h"

namespace {

// How long one idle turn may write before the loop looks at the queue again. Asking
// the queue costs a round trip to the window system, far more than one write.
constexpr int64_t FillSliceMicroseconds = 5000;

int64_t Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

MainApplication::MainApplication(int32_t acceleratorId) : Application(acceleratorId) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  SliceTicks = frequency.QuadPart * FillSliceMicroseconds / 1000000;
}

bool MainApplication::OnIdle() {
  if (Main == nullptr || Main->WriteNextChunks()) {
    Sleep(1);
    return false;  // never wait: the loop polls
  }
  int64_t end = Ticks() + SliceTicks;
  while (Ticks() < end) {
    if (Main->WriteNextChunks()) {
      break;
    }
  }
  return false;
}
