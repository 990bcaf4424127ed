#include "hints/HintTracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

#include "resources/ResourceIds.h"
#include "tests/hints/HintTestSupport.h"

namespace {

bool FailNextHint = false;
int Ticks = 0;                   // the tracker's polls: the clock the tests read
constexpr int NoHintTicks = 30;  // three times as long as a hint takes to come

void CALLBACK CountedPoll(HWND dialog, UINT message, UINT_PTR timer, DWORD time) {
  ++Ticks;
  PollHints(dialog, message, timer, time);
}

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

  // Short delays so the tests run quickly: a poll every 10 ms, hints at the tenth poll
  // over a control, shown for 500 ms.
  void StartTracking(int32_t preDelay = 100) {
    Hints().Start(Dialog.Window(), preDelay, 500, HelpTexts, CountedPoll, 0);
  }
  HWND Control(int id) const { return Dialog.Control(id); }
  // Runs the loop until `done` or `ticks` more polls; what `done` said last.
  bool PumpTicks(
      int ticks, const std::function<bool()>& done = [] { return false; }) {
    int until = Ticks + ticks;
    PumpUntil(Dialog, 10000, [&] { return done() || Ticks >= until; });
    return done();
  }
  // The visible balloon, waiting up to `ticks` polls for it; none if none comes. A
  // closed modal window can hold the dialog's view of the cursor back for a while.
  HWND WaitForHint(int ticks = 300) {
    HWND found = nullptr;
    PumpTicks(ticks, [&] {
      for (HWND balloon : Balloons()) {
        found = IsWindowVisible(balloon) ? balloon : found;
      }
      return found != nullptr;
    });
    return found;
  }
  // The hint over control `id`, once any hint over the last control has gone.
  HWND HintOver(int id, int ticks = 300) {
    HWND last = WaitForHint(0);
    RestCursorOn(Control(id));
    if (last != nullptr && PumpTicks(NoHintTicks, [&] { return !IsWindow(last); }) == false) {
      return nullptr;
    }
    return WaitForHint(ticks);
  }

  FreshFolder Folder;
  DialogUnderTest Dialog;
};

TEST_F(HintTracking, RestingOnAControlShowsItsTextInABalloonThatTakesNothingThenFades) {
  SetFocus(Control(IDC_RATE));
  RestCursorOn(Control(IDC_RESET_MUL));
  POINT cursor;
  GetCursorPos(&cursor);
  int rested = Ticks;
  HWND hint = WaitForHint();
  ASSERT_NE(hint, nullptr);
  // The first poll over the control enters it; the tenth after that shows the hint. The
  // cursor's move can reach the polls a tick late.
  EXPECT_TRUE(Ticks - rested >= 11 && Ticks - rested <= 13) << Ticks - rested;

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

  // It fades by itself, and the cursor resting on shows no second hint.
  EXPECT_TRUE(PumpUntil(Dialog, 10000, [&] { return AlphaOf(hint) < 200; })) << "no fade";
  EXPECT_TRUE(PumpUntil(Dialog, 10000, [&] { return !IsWindow(hint); }));
  EXPECT_EQ(WaitForHint(NoHintTicks), nullptr);
}

TEST_F(HintTracking, AnotherControlMovingOrClosingTheDialogClosesTheHint) {
  HWND first = HintOver(IDC_RESET_MUL);
  ASSERT_NE(first, nullptr);
  RestCursorOn(Control(IDC_LOOP_RECORD));
  // Closed at the first poll over the next control, or the cursor's lagging tick after it.
  EXPECT_TRUE(PumpTicks(3, [&] { return !IsWindow(first); }));
  HWND second = WaitForHint();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(WindowText(second), Help(IDC_LOOP_RECORD));

  RECT bounds;
  GetWindowRect(Dialog.Window(), &bounds);
  SetWindowPos(Dialog.Window(), nullptr, bounds.left + 10, bounds.top + 10, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(IsWindow(second));

  // A hint that cannot be made is skipped and tracking goes on.
  FailNextHint = true;
  EXPECT_EQ(HintOver(IDC_RESET_MUL, NoHintTicks), nullptr);
  EXPECT_FALSE(FailNextHint) << "no hint was asked for";
  HWND third = HintOver(IDC_RATE);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(WindowText(third), Help(IDC_RATE));

  Dialog.Close();
  EXPECT_FALSE(IsWindow(third));
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
  EXPECT_EQ(WaitForHint(NoHintTicks), nullptr);

  // A message box or the save-file dialog disables the dialog: the hint goes at once.
  HWND hint = HintOver(IDC_RESET_MUL);
  ASSERT_NE(hint, nullptr);
  EnableWindow(Dialog.Window(), FALSE);
  EXPECT_FALSE(IsWindow(hint));
  RestCursorOn(Control(IDC_LOOP_RECORD));
  EXPECT_EQ(WaitForHint(NoHintTicks), nullptr);
  // Enabled again, resting on the control counts afresh.
  EnableWindow(Dialog.Window(), TRUE);
  hint = WaitForHint();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(WindowText(hint), Help(IDC_LOOP_RECORD));

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
  EXPECT_EQ(WaitForHint(NoHintTicks), nullptr);
  // ...nor after it closes; moving off and back starts a new count.
  SendMessageW(rateList, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(WaitForHint(NoHintTicks), nullptr);
  SetCursorPos(0, 0);  // off every control
  PumpTicks(2);
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

  // No polling at all: no poll ever comes, so wait a while by the clock.
  Hints().HideHint();
  StartTracking(0);
  RestCursorOn(Control(IDC_RESET_MUL));
  PumpFor(Dialog, 300);
  EXPECT_TRUE(Balloons().empty());

  StartTracking();
  StartTracking();
  // The dialog's timer 1 runs on (stopping it here tells; it is started again).
  EXPECT_TRUE(KillTimer(Dialog.Window(), 1));
  SetTimer(Dialog.Window(), 1, 2000, nullptr);
  SetCursorPos(0, 0);  // off every control
  PumpTicks(2);
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
