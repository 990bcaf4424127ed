#include "hints/HintTracker.h"

#include <new>

namespace {

// An id of its own: with a window, SetTimer returns no id to stop a timer by (it returns
// 1 for id 0 under Wine), and the dialog's timer 1 must live on.
constexpr UINT_PTR PollingTimerId = 0x4854;
constexpr int ClassNameSize = 100;

bool IsDroppedList(HWND control) {
  wchar_t name[ClassNameSize] = {};
  GetClassNameW(control, name, ClassNameSize);
  return lstrcmpiW(name, L"COMBOBOX") == 0 &&
         SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

}  // namespace

void HintTracker::Start(HWND dialog, int32_t preDelay, int32_t postDelay,
                        const HelpTextEntry* table, TIMERPROC procedure, int32_t backgroundId) {
  HideHint();
  StopPolling();
  BackgroundId = backgroundId;
  Table = table;
  PostDelay = postDelay;
  Hover = HoverCount();
  int32_t period = PollingPeriod(preDelay);
  if (period > 0 && table != nullptr && procedure != nullptr &&
      SetTimer(dialog, PollingTimerId, static_cast<UINT>(period), procedure) != 0) {
    PollingWindow = dialog;
    PollingTimer = PollingTimerId;
  }
}

void HintTracker::StopPolling() {
  if (PollingTimer != 0 && IsWindow(PollingWindow)) {
    KillTimer(PollingWindow, PollingTimer);
  }
  PollingWindow = nullptr;
  PollingTimer = 0;
}

void HintTracker::Poll(HWND dialog) {
  // A disabled dialog has a modal window over it (a message box, the save-file
  // dialog) that a topmost hint would cover.
  if (!IsWindowEnabled(dialog)) {
    HideHint();
    Hover.OffControls();
    return;
  }
  POINT cursor;
  if (!GetCursorPos(&cursor)) {
    return;
  }
  // Up through parents, and owners of popups such as the hint itself.
  HWND window = WindowFromPoint(cursor);
  while (window != nullptr && window != dialog) {
    window = GetParent(window);
  }
  if (window == dialog && TestControls(dialog, cursor)) {
    return;
  }
  // Off every control: a visible hint fades by itself.
  Hover.OffControls();
}

bool HintTracker::TestControls(HWND dialog, POINT cursor) {
  if (Table == nullptr) {
    return false;
  }
  // Only the rectangle counts: disabled and hidden controls have their hints too.
  const HelpTextEntry* hit = nullptr;
  HWND control = nullptr;
  for (const HelpTextEntry* row = Table; row->Text != nullptr && hit == nullptr; ++row) {
    control = row->ControlId != 0 ? GetDlgItem(dialog, row->ControlId) : dialog;
    RECT bounds;
    if (control != nullptr && GetWindowRect(control, &bounds) && PtInRect(&bounds, cursor)) {
      hit = row;
    }
  }
  if (hit == nullptr) {
    return false;
  }
  HWND focus = GetFocus();
  switch (Hover.OverControl(hit->ControlId, IsDroppedList(control))) {
    case HoverTick::Entered:
      HideHint();
      break;
    case HoverTick::ShowHint:
      ShowHint(dialog, hit->Text, cursor);
      break;
    case HoverTick::Counting:
      break;
  }
  // Showing a hint never moves the focus.
  if (focus != nullptr && GetFocus() != focus) {
    SetFocus(focus);
  }
  return true;
}

void HintTracker::ShowHint(HWND dialog, const char* text, POINT cursor) {
  HideHint();
  // Without memory there is simply no hint.
  Hint.reset(new (std::nothrow) HintWindow(BackgroundId, nullptr, 0, nullptr));
  if (Hint != nullptr) {
    Hint->Show(dialog, text, cursor.x, cursor.y, PostDelay);
  }
}

void HintTracker::HideHint() {
  if (Hint != nullptr) {
    Hint->Close();
    Hint.reset();
  }
}

HintTracker& Hints() {
  static HintTracker tracker;
  return tracker;
}

void CALLBACK PollHints(HWND dialog, UINT, UINT_PTR, DWORD) {
  Hints().Poll(dialog);
}
