#include "hints/HintTracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "resources/ResourceIds.h"
#include "tests/hints/HintTestSupport.h"

namespace {

bool FailNextHint = false;

// The text of a control's row as the user reads it.
std::wstring Help(int id) {
  auto row = std::find_if(HelpTexts, HelpTexts + HelpTextRows,
                          [&](const HelpTextEntry& entry) { return entry.ControlId == id; });
  return FromCyrillic(row->Text);
}

class HintTracking : public ::testing::Test {
 protected:
  // The dialog comes up with the cursor away from it.
  void SetUp() override { StartTracking(); }
  void TearDown() override { Hints().HideHint(); }

  // Short delays so the tests run quickly: polling every 10 ms, hints after about 100 ms
  // shown for 500 ms.
  void StartTracking(int32_t preDelay = 100) {
    Hints().Start(Dialog.Window(), preDelay, 500, HelpTexts, PollHints, 0);
  }
  HWND Control(int id) const { return Dialog.Control(id); }
  // The visible balloon, waiting up to `limitMs` for it; none if none comes.
  HWND WaitForHint(DWORD limitMs = 2000) {
    HWND found = nullptr;
    PumpUntil(Dialog, limitMs, [&] {
      for (HWND balloon : Balloons()) {
        found = IsWindowVisible(balloon) ? balloon : found;
      }
      return found != nullptr;
    });
    return found;
  }
  // The hint over control `id`, once any hint over the last control has gone.
  HWND HintOver(int id, DWORD limitMs = 2000) {
    HWND last = WaitForHint(0);
    RestCursorOn(Control(id));
    if (last != nullptr && !WaitUntilGone(Dialog, last, 200)) {
      return nullptr;
    }
    return WaitForHint(limitMs);
  }

  FreshFolder Folder;
  DialogUnderTest Dialog;
};

TEST_F(HintTracking, RestingOnAControlShowsItsTextInABalloonThatTakesNothing) {
  SetFocus(Control(IDC_RATE));
  RestCursorOn(Control(IDC_RESET_MUL));
  POINT cursor;
  GetCursorPos(&cursor);
  DWORD start = GetTickCount();
  HWND hint = WaitForHint();
  DWORD shownAfter = GetTickCount() - start;
  ASSERT_NE(hint, nullptr);
  // Ten polling periods of 10 ms after the control was first seen.
  EXPECT_GE(shownAfter, 90u);
  EXPECT_LT(shownAfter, 1000u);

  EXPECT_EQ(GetWindow(hint, GW_OWNER), Dialog.Window());
  EXPECT_EQ(WindowText(hint), Help(IDC_RESET_MUL));
  EXPECT_NE(GetWindowLongW(hint, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // The tail tip is at the cursor: the balloon sits above and to the right of it.
  RECT bounds;
  GetWindowRect(hint, &bounds);
  EXPECT_EQ(bounds.left, cursor.x);
  EXPECT_EQ(bounds.bottom, cursor.y);

  EXPECT_EQ(GetFocus(), Control(IDC_RATE));
  EXPECT_EQ(GetActiveWindow(), Dialog.Window());
  EXPECT_EQ(Balloons().size(), 1u);
}

TEST_F(HintTracking, AnotherControlMovingOrClosingTheDialogClosesTheHint) {
  HWND first = HintOver(IDC_RESET_MUL);
  ASSERT_NE(first, nullptr);
  RestCursorOn(Control(IDC_LOOP_RECORD));
  EXPECT_TRUE(WaitUntilGone(Dialog, first, 60)) << "not closed at the first tick over the next";
  HWND second = WaitForHint();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(WindowText(second), Help(IDC_LOOP_RECORD));
  EXPECT_EQ(Balloons().size(), 1u);

  RECT bounds;
  GetWindowRect(Dialog.Window(), &bounds);
  SetWindowPos(Dialog.Window(), nullptr, bounds.left + 10, bounds.top + 10, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(IsWindow(second));

  // A hint that cannot be made is skipped and tracking goes on.
  FailNextHint = true;
  EXPECT_EQ(HintOver(IDC_RESET_MUL, 500), nullptr);
  EXPECT_FALSE(FailNextHint) << "no hint was asked for";
  HWND third = HintOver(IDC_RATE);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(WindowText(third), Help(IDC_RATE));

  Dialog.Close();
  EXPECT_FALSE(IsWindow(third));
  Hints().HideHint();
  EXPECT_TRUE(Balloons().empty());
}

TEST_F(HintTracking, FadesAfterItsDisplayTimeAndIsDestroyedWithoutASecondHint) {
  // Five words: shown for the post-delay of 500 ms, then 39 steps of 40 ms.
  HWND hint = HintOver(IDC_RATE);
  ASSERT_NE(hint, nullptr);
  DWORD shown = GetTickCount();
  EXPECT_EQ(WindowText(hint), Help(IDC_RATE));
  PumpFor(Dialog, 350);
  EXPECT_EQ(AlphaOf(hint), 200);
  PumpUntil(Dialog, 3000, [&] { return AlphaOf(hint) != 200; });
  DWORD fading = GetTickCount() - shown;
  EXPECT_GE(fading, 450u);
  EXPECT_LT(fading, 1200u);
  int alpha = AlphaOf(hint);
  EXPECT_GT(alpha, 0);
  EXPECT_LT(alpha, 200);
  ASSERT_TRUE(WaitUntilGone(Dialog, hint, 4000));
  DWORD gone = GetTickCount() - shown;
  EXPECT_GE(gone, 1900u);
  EXPECT_TRUE(Balloons().empty());
  // The cursor still rests there: one hint per visit.
  EXPECT_EQ(WaitForHint(400), nullptr);
}

TEST_F(HintTracking, NoHintOverALabelADisabledDialogOrAnOpenList) {
  // The label "1 A" sits 20 dialog units left of the first channel list.
  RECT label = {25, 64, 45, 76};
  MapDialogRect(Dialog.Window(), &label);
  POINT point = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
  HWND under = ChildWindowFromPointEx(Dialog.Window(), point, CWP_SKIPINVISIBLE);
  ASSERT_EQ(GetDlgCtrlID(under) & 0xFFFF, 0xFFFF) << "not a label without id";
  ClientToScreen(Dialog.Window(), &point);
  SetCursorPos(point.x, point.y);
  EXPECT_EQ(WaitForHint(500), nullptr);

  // A message box or the save-file dialog disables the dialog: the hint goes at once.
  HWND hint = HintOver(IDC_RESET_MUL);
  ASSERT_NE(hint, nullptr);
  EnableWindow(Dialog.Window(), FALSE);
  EXPECT_FALSE(IsWindow(hint));
  RestCursorOn(Control(IDC_LOOP_RECORD));
  EXPECT_EQ(WaitForHint(500), nullptr);
  // Enabled again, resting on the control counts afresh.
  EnableWindow(Dialog.Window(), TRUE);
  hint = WaitForHint();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(WindowText(hint), Help(IDC_LOOP_RECORD));

  // The save-file dialog disables it too (a message box does, as the writing tests show).
  hint = HintOver(IDC_RESET_MUL);
  ASSERT_NE(hint, nullptr);
  bool hintMeanwhile = true;
  {
    DialogWatcher watcher(L"File for writing", [&](HWND box) {
      hintMeanwhile = IsWindow(hint) != FALSE;
      Press(box, IDCANCEL);
    });
    Dialog.PressKey(VK_F4);
    EXPECT_TRUE(watcher.Seen());
  }
  EXPECT_FALSE(hintMeanwhile);

  // The list of another control stays open under a hint, and keeps the focus.
  HWND sizeList = Control(IDC_SIZE_TIME);
  SetFocus(sizeList);
  SendMessageW(sizeList, CB_SHOWDROPDOWN, TRUE, 0);
  hint = HintOver(IDC_RESET_MUL);
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(SendMessageW(sizeList, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(GetFocus(), sizeList);
  SendMessageW(sizeList, CB_SHOWDROPDOWN, FALSE, 0);
  Hints().HideHint();

  // Resting on a list that is open shows nothing for that visit...
  HWND rateList = Control(IDC_RATE);
  SendMessageW(rateList, CB_SHOWDROPDOWN, TRUE, 0);
  RestCursorOn(rateList);
  EXPECT_EQ(WaitForHint(500), nullptr);
  // ...nor after it closes; moving off and back starts a new count.
  SendMessageW(rateList, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(WaitForHint(300), nullptr);
  SetCursorPos(0, 0);  // off every control
  PumpFor(Dialog, 50);
  hint = HintOver(IDC_RATE);
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(WindowText(hint), Help(IDC_RATE));
}

TEST_F(HintTracking, EveryControlShowsItsOwnRowAndRestartsLeaveTheDialogTimerAlone) {
  // The B lists are disabled while "A and B" is up: their hints show all the same.
  ASSERT_FALSE(Dialog.Enabled(IDC_CHANNEL_B1));
  for (const HelpTextEntry* row = HelpTexts; row->Text != nullptr; ++row) {
    HWND hint = HintOver(row->ControlId);
    ASSERT_NE(hint, nullptr) << row->ControlId;
    EXPECT_EQ(WindowText(hint), FromCyrillic(row->Text)) << row->ControlId;
    EXPECT_EQ(Balloons().size(), 1u) << row->ControlId;
  }

  Hints().HideHint();
  StartTracking(0);
  EXPECT_EQ(HintOver(IDC_RESET_MUL, 500), nullptr);

  StartTracking();
  StartTracking();
  // The dialog's timer 1 runs on (stopping it here tells; it is started again).
  EXPECT_TRUE(KillTimer(Dialog.Window(), 1));
  SetTimer(Dialog.Window(), 1, 2000, nullptr);
  SetCursorPos(0, 0);  // off every control
  PumpFor(Dialog, 30);
  EXPECT_NE(HintOver(IDC_RESET_MUL), nullptr);
}

}  // namespace

// The tracker makes its hints with the non-throwing new: this one can be told to fail.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (FailNextHint) {
    FailNextHint = false;
    return nullptr;
  }
  return std::malloc(size != 0 ? size : 1);
}
