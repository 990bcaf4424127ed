// The real main dialog, made from its template in a fresh folder and driven with
// messages as the loop and a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/ConfigResource.h"
#include "resources/ResourceIds.h"
#include "tests/window/WindowTestSupport.h"

TEST(MainDialog, FirstStartShowsEveryListWithItsTexts) {
  FreshFolder folder;
  DialogUnderTest dialog;
  ResourceBytes builtin = BuiltinConfigurationText();
  EXPECT_EQ(ReadBytes(folder.File("ZQ347Fill.cfg")), std::string(builtin.Data, builtin.Size));
  EXPECT_EQ(WindowText(dialog.Window()), L"  ZQ347SD File Creator v4.2 [ Sep  3 2021 ]");
  // The Cyrillic caption survives a system whose code page is not 1251.
  EXPECT_EQ(WindowText(dialog.Control(IDC_CHOOSE_FILE)),
            L"\u0417\u0430\u043f\u0438\u0441\u0430\u0442\u044c \u043f\u0430\u0440\u0430"
            L"\u043c\u0435\u0442\u0440\u044b \u0437\u0430\u043f\u0443\u0441\u043a\u0430");

  // The lists hold the built-in configuration's entries (their labels are proven
  // natively); channels 1 to 8 also offer the differential ranges.
  EXPECT_EQ(dialog.Count(IDC_RATE), 32);
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 8), L"8.999KHz");
  EXPECT_EQ(dialog.Selection(IDC_RATE), 0);
  EXPECT_EQ(dialog.Count(IDC_SIZE_TIME), 33);
  EXPECT_EQ(dialog.Count(IDC_RECORD_NUMBER), 1000);
  for (int channel = 1; channel <= 16; ++channel) {
    for (int id : {ChannelA(channel), ChannelB(channel)}) {
      EXPECT_EQ(dialog.Count(id), channel <= 8 ? 10 : 6) << "list " << id;
      EXPECT_EQ(dialog.Selection(id), 0);
    }
  }
  // Each list opens with 16 rows, or all of its entries when fewer.
  for (int id : {IDC_RATE, IDC_SIZE_TIME, IDC_RECORD_NUMBER, ChannelA(1), ChannelA(16)}) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    SendMessageW(dialog.Control(id), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(GetComboBoxInfo(dialog.Control(id), &info));
    RECT rows;
    GetClientRect(info.hwndList, &rows);
    int row = static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(rows.bottom / row, std::min(dialog.Count(id), 16)) << id;
    SendMessageW(dialog.Control(id), CB_SHOWDROPDOWN, FALSE, 0);
    dialog.Pump();
  }

  // Nothing is switched on: nothing to write, no zero reset, B lists only with "A and B".
  EXPECT_FALSE(dialog.Enabled(IDC_WRITE));
  EXPECT_FALSE(dialog.Enabled(IDC_RESET_MUL));
  EXPECT_TRUE(dialog.Enabled(ChannelA(16)));
  EXPECT_FALSE(dialog.Enabled(ChannelB(1)));
  for (int id : {IDC_RESET_MUL, IDC_LOOP_RECORD, IDC_A_AND_B, IDC_BIT0, IDC_WRITE}) {
    EXPECT_FALSE(dialog.Checked(id));
  }
}

TEST(MainDialog, TheRateAndBListsFollowTheAChannels) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  EXPECT_TRUE(dialog.Enabled(IDC_WRITE));
  EXPECT_FALSE(dialog.Enabled(IDC_RESET_MUL));
  // A second channel while 100KHz is chosen: the next lower rate on offer is taken.
  dialog.Pick(ChannelA(2), 3);
  ASSERT_EQ(dialog.Count(IDC_RATE), 30);
  EXPECT_EQ(dialog.ItemText(IDC_RATE, dialog.Selection(IDC_RATE)), L"50KHz");
  EXPECT_TRUE(dialog.Enabled(IDC_RESET_MUL));
  // Picking from the rate list takes its position; back to one channel keeps the rate.
  dialog.Pick(IDC_RATE, 8);  // 7KHz, the eleventh configured rate
  dialog.Pick(ChannelA(2), 0);
  ASSERT_EQ(dialog.Count(IDC_RATE), 32);
  EXPECT_EQ(dialog.Selection(IDC_RATE), 10);

  // Which position B takes is proven natively; here that the dialog applies it.
  dialog.Pick(ChannelA(1), 8);  // +-0.1V D
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 8);
  SendMessageW(dialog.Control(IDC_A_AND_B), BM_CLICK, 0, 0);
  dialog.Pump();
  EXPECT_TRUE(dialog.Enabled(ChannelB(16)));
  dialog.Pick(ChannelB(1), 6);  // +-10V D: same kind, its own gain
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 6);
  // Off again: the B lists are disabled and keep their positions.
  dialog.Pick(ChannelA(2), 4);
  SendMessageW(dialog.Control(IDC_A_AND_B), BM_CLICK, 0, 0);
  dialog.Pump();
  EXPECT_FALSE(dialog.Enabled(ChannelB(2)));
  EXPECT_EQ(dialog.Selection(ChannelB(2)), 4);
  // A channel picked while "A and B" is off still brings its B along.
  dialog.Pick(ChannelA(2), 9);
  EXPECT_EQ(dialog.Selection(ChannelB(2)), 9);
}

TEST(MainDialog, ChoicesAreSavedOnCloseAndRestoredAtTheNextStart) {
  FreshFolder folder;
  {
    DialogUnderTest dialog;
    SendMessageW(dialog.Control(IDC_A_AND_B), BM_CLICK, 0, 0);
    dialog.Pump();
    dialog.Pick(ChannelA(1), 7);
    dialog.Pick(ChannelA(10), 4);
    dialog.Pick(ChannelB(10), 3);
    dialog.Pick(ChannelA(2), 2);
    dialog.Pick(IDC_RATE, 4);
    dialog.Pick(IDC_SIZE_TIME, 21);
    dialog.Pick(IDC_RECORD_NUMBER, 41);
    SendMessageW(dialog.Control(IDC_LOOP_RECORD), BM_CLICK, 0, 0);
    SendMessageW(dialog.Control(IDC_BIT0), BM_CLICK, 0, 0);
    SendMessageW(dialog.Control(IDC_RESET_MUL), BM_CLICK, 0, 0);
    dialog.Pump();
  }
  // The file's layout is proven natively; here that the close saves the controls.
  DialogUnderTest again;
  const int selections[][2] = {{IDC_RATE, 4},     {IDC_SIZE_TIME, 21}, {IDC_RECORD_NUMBER, 41},
                               {ChannelA(1), 7},  {ChannelB(1), 7},    {ChannelA(2), 2},
                               {ChannelA(10), 4}, {ChannelB(10), 3}};
  for (const auto& [id, position] : selections) {
    EXPECT_EQ(again.Selection(id), position) << id;
  }
  for (int id : {IDC_RESET_MUL, IDC_LOOP_RECORD, IDC_A_AND_B, IDC_BIT0}) {
    EXPECT_TRUE(again.Checked(id)) << id;
  }
  EXPECT_TRUE(again.Enabled(ChannelB(3)));

  // Choices that cannot be saved are not lost silently: the close says why.
  again.Files().FailCreate = true;
  std::wstring said;
  {
    DialogWatcher watcher(L"ZQ347Fill", [&](HWND box) {
      said = BoxText(box);
      Press(box, IDOK);
    });
    again.Close();
  }
  EXPECT_EQ(said.rfind(L"Your choices could not be saved", 0), 0u) << said;
}
