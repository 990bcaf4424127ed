// Watches the cursor over a dialog by polling and shows the help text of the control it
// rests on in a balloon hint; the hint goes when the cursor reaches another control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "hints/HelpTexts.h"
#include "hints/HintLayout.h"
#include "hints/HintWindow.h"

class HintTracker {
 public:
  HintTracker() = default;
  // Closes a hint still open when the process ends.
  ~HintTracker() { HideHint(); }
  HintTracker(const HintTracker&) = delete;
  HintTracker& operator=(const HintTracker&) = delete;

  // Polls `dialog` every tenth of the pre-delay with `procedure`, which must call Poll.
  // A pre-delay of 0, no table or no procedure: no polling and no hints. An earlier
  // polling stops; the dialog's own timers are never touched.
  void Start(HWND dialog, int32_t preDelay, int32_t postDelay, const HelpTextEntry* table,
             TIMERPROC procedure, int32_t backgroundId);
  // One tick.
  void Poll(HWND dialog);
  // Closes the current hint, if any, at once.
  void HideHint();

 private:
  // True when the cursor is over the control of a row.
  bool TestControls(HWND dialog, POINT cursor);
  void ShowHint(HWND dialog, const char* text, POINT cursor);
  void StopPolling();

  std::unique_ptr<HintInterface> Hint;
  const HelpTextEntry* Table = nullptr;
  HWND PollingWindow = nullptr;
  UINT_PTR PollingTimer = 0;  // 0: not polling
  int32_t BackgroundId = 0;
  int32_t PostDelay = 0;
  HoverCount Hover;
};

// The program's one tracker, and the timer procedure that polls it.
HintTracker& Hints();
void CALLBACK PollHints(HWND dialog, UINT message, UINT_PTR timer, DWORD time);
