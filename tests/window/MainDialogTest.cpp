// The real main dialog, made from its template in a fresh folder and driven with
// messages as the loop and a user would.
#include <gtest/gtest.h>

#include <string>

#include "config/ConfigFiles.h"
#include "datafile/DataFileHeader.h"
#include "platform/ConfigResource.h"
#include "resources/ResourceIds.h"
#include "tests/window/WindowTestFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

constexpr int SizeList = IDC_SIZE_TIME;

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

}  // namespace

TEST(MainDialog, FirstStartShowsEveryListWithItsTexts) {
  FreshFolder folder;
  DialogUnderTest dialog;
  ResourceBytes builtin = BuiltinConfigurationText();
  EXPECT_EQ(ReadWholeFile(folder.File("ZQ347Fill.cfg")), std::string(builtin.Data, builtin.Size));
  EXPECT_EQ(WindowText(dialog.Window()), L"  ZQ347SD File Creator v4.2 [ Sep  3 2021 ]");
  // The Cyrillic caption survives a system whose code page is not 1251.
  EXPECT_EQ(WindowText(dialog.Control(IDC_CHOOSE_FILE)),
            L"\u0417\u0430\u043f\u0438\u0441\u0430\u0442\u044c \u043f\u0430\u0440\u0430"
            L"\u043c\u0435\u0442\u0440\u044b \u0437\u0430\u043f\u0443\u0441\u043a\u0430");

  ASSERT_EQ(dialog.Count(IDC_RATE), 32);
  const wchar_t* rates[] = {L"100KHz", L"80KHz", L"50KHz",    L"40KHz", L"30KHz",   L"25KHz",
                            L"20KHz",  L"10KHz", L"8.999KHz", L"8KHz",  L"6.999KHz"};
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(dialog.ItemText(IDC_RATE, i), rates[i]);
  }
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 17), L"1000Hz");
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 27), L"35Hz");
  for (int i = 28; i < 32; ++i) {
    EXPECT_EQ(dialog.ItemText(IDC_RATE, i), L"30.518Hz");
  }
  EXPECT_EQ(dialog.Selection(IDC_RATE), 0);

  ASSERT_EQ(dialog.Count(SizeList), 33);
  EXPECT_EQ(dialog.ItemText(SizeList, 0), L"Size 1 Ks");
  EXPECT_EQ(dialog.ItemText(SizeList, 9), L"Size 512 Ks");
  EXPECT_EQ(dialog.ItemText(SizeList, 10), L"Size 1 Ms");
  EXPECT_EQ(dialog.ItemText(SizeList, 19), L"Size 512 Ms");
  EXPECT_EQ(dialog.ItemText(SizeList, 20), L"Time 1 min.");
  EXPECT_EQ(dialog.ItemText(SizeList, 26), L"Time 1 h.");
  EXPECT_EQ(dialog.ItemText(SizeList, 32), L"Time 20 h.");

  ASSERT_EQ(dialog.Count(IDC_RECORD_NUMBER), 1000);
  EXPECT_EQ(dialog.ItemText(IDC_RECORD_NUMBER, 0), L" 1");
  EXPECT_EQ(dialog.ItemText(IDC_RECORD_NUMBER, 999), L" 1000");

  const wchar_t* ranges[] = {L" OFF",    L" Gnd",    L"+-10V",  L"+-1V",     L"+-0.1V",
                             L"+-0.05V", L"+-10V D", L"+-1V D", L"+-0.1V D", L"+-0.05V D"};
  for (int channel = 1; channel <= 16; ++channel) {
    int expected = channel <= 8 ? 10 : 6;
    for (int id : {ChannelA(channel), ChannelB(channel)}) {
      ASSERT_EQ(dialog.Count(id), expected) << "list " << id;
      for (int i = 0; i < expected; ++i) {
        EXPECT_EQ(dialog.ItemText(id, i), ranges[i]) << "list " << id;
      }
      EXPECT_EQ(dialog.Selection(id), 0);
    }
  }

  // Nothing is switched on: nothing to write, no zero reset, B lists only with "A and B".
  EXPECT_FALSE(dialog.Enabled(IDC_WRITE));
  EXPECT_FALSE(dialog.Enabled(IDC_RESET_MUL));
  EXPECT_TRUE(dialog.Enabled(IDC_CHOOSE_FILE));
  EXPECT_TRUE(dialog.Enabled(ChannelA(16)));
  EXPECT_FALSE(dialog.Enabled(ChannelB(1)));
  for (int id : {IDC_RESET_MUL, IDC_LOOP_RECORD, IDC_A_AND_B, IDC_BIT0, IDC_WRITE}) {
    EXPECT_FALSE(dialog.Checked(id));
  }
}

TEST(MainDialog, RateListFollowsTheNumberOfAChannels) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  EXPECT_EQ(dialog.Count(IDC_RATE), 32);
  EXPECT_EQ(dialog.Selection(IDC_RATE), 0);  // 100KHz
  EXPECT_TRUE(dialog.Enabled(IDC_WRITE));
  EXPECT_FALSE(dialog.Enabled(IDC_RESET_MUL));

  // A second channel while 100KHz is chosen: the next lower rate on offer is taken.
  dialog.Pick(ChannelA(2), 3);
  ASSERT_EQ(dialog.Count(IDC_RATE), 30);
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 0), L"50KHz");
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 6), L"9.002KHz");
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 29), L"15.259Hz");
  EXPECT_EQ(dialog.Selection(IDC_RATE), 0);
  EXPECT_TRUE(dialog.Enabled(IDC_RESET_MUL));

  dialog.Pick(ChannelA(9), 1);
  ASSERT_EQ(dialog.Count(IDC_RATE), 28);
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 0), L"29.963KHz");

  for (int channel = 1; channel <= 16; ++channel) {
    dialog.Pick(ChannelA(channel), 2);
  }
  ASSERT_EQ(dialog.Count(IDC_RATE), 21);
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 0), L"6KHz");
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 20), L"1.907Hz");

  // Picking from the rate list takes its position; back to one channel keeps the rate.
  dialog.Pick(IDC_RATE, 8);  // 500Hz
  EXPECT_EQ(dialog.ItemText(IDC_RATE, dialog.Selection(IDC_RATE)), L"500Hz");
  for (int channel = 2; channel <= 16; ++channel) {
    dialog.Pick(ChannelA(channel), 0);
  }
  ASSERT_EQ(dialog.Count(IDC_RATE), 32);
  EXPECT_EQ(dialog.ItemText(IDC_RATE, dialog.Selection(IDC_RATE)), L"500Hz");
}

TEST(MainDialog, BChannelsFollowTheirAChannels) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 3);  // +-1V
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 3);
  dialog.Pick(ChannelA(1), 8);  // +-0.1V D: B takes the kind of A
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 8);

  SendMessageW(dialog.Control(IDC_A_AND_B), BM_CLICK, 0, 0);
  dialog.Pump();
  EXPECT_TRUE(dialog.Enabled(ChannelB(1)));
  EXPECT_TRUE(dialog.Enabled(ChannelB(16)));
  dialog.Pick(ChannelB(1), 6);  // +-10V D: same kind, its own gain
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 6);
  dialog.Pick(ChannelA(1), 3);
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 3);
  dialog.Pick(ChannelB(1), 5);  // a single-ended B keeps its own range
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 5);
  dialog.Pick(ChannelA(1), 0);
  EXPECT_EQ(dialog.Selection(ChannelB(1)), 0);

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

TEST(MainDialog, CustomConfigurationIsShownAsItsLabels) {
  FreshFolder folder;
  WriteTextFile("ZQ347Fill.cfg",
                "Gain1 = 2\r\nSizeArray = 256, 768, 1536, 1572864\r\n"
                "TimeArray = 0.5, 0.25, 59.5, 60, 90, 1200\r\nFreqArray = 1000, 500, 8.5\r\n");
  DialogUnderTest dialog;
  const wchar_t* ranges[] = {L" OFF",    L"+-5V",    L"+-10V",  L"+-1V",     L"+-0.1V",
                             L"+-0.05V", L"+-10V D", L"+-1V D", L"+-0.1V D", L"+-0.05V D"};
  ASSERT_EQ(dialog.Count(ChannelA(1)), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(dialog.ItemText(ChannelA(1), i), ranges[i]);
  }
  EXPECT_EQ(dialog.Count(ChannelA(9)), 6);
  const wchar_t* sizes[] = {L"Size 256",    L"Size 768",   L"Size 1.5 Ks",    L"Size 1.5 Ms",
                            L"Time 30 s.",  L"Time 15 s.", L"Time 59.5 min.", L"Time 1 h.",
                            L"Time 1.5 h.", L"Time 20 h."};
  ASSERT_EQ(dialog.Count(SizeList), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(dialog.ItemText(SizeList, i), sizes[i]);
  }
  ASSERT_EQ(dialog.Count(IDC_RATE), 3);
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 0), L"1000Hz");
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 1), L"500Hz");
  EXPECT_EQ(dialog.ItemText(IDC_RATE, 2), L"30.518Hz");
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
    dialog.Pick(SizeList, 21);
    dialog.Pick(IDC_RECORD_NUMBER, 41);
    SendMessageW(dialog.Control(IDC_LOOP_RECORD), BM_CLICK, 0, 0);
    SendMessageW(dialog.Control(IDC_BIT0), BM_CLICK, 0, 0);
    SendMessageW(dialog.Control(IDC_RESET_MUL), BM_CLICK, 0, 0);
    dialog.Pump();
  }
  std::string expected =
      "FreqIndex   = 4\r\nSizeIndex   = 21\r\nFileNumber  = 41\r\nZeroMul     = 1\r\n"
      "CycleMode   = 1\r\nSynchroMode = 1\r\nDigitalBIT0 = 1\r\n\r\n"
      "ChA1Index   = 7\r\nChA2Index   = 2\r\n";
  for (int c = 3; c <= 9; ++c) {
    expected += "ChA" + std::to_string(c) + "Index   = 0\r\n";
  }
  expected += "ChA10Index  = 4\r\n";
  for (int c = 11; c <= 16; ++c) {
    expected += "ChA" + std::to_string(c) + "Index  = 0\r\n";
  }
  expected += "ChB1Index   = 7\r\nChB2Index   = 2\r\n";
  for (int c = 3; c <= 9; ++c) {
    expected += "ChB" + std::to_string(c) + "Index   = 0\r\n";
  }
  expected += "ChB10Index  = 3\r\n";
  for (int c = 11; c <= 16; ++c) {
    expected += "ChB" + std::to_string(c) + "Index  = 0\r\n";
  }
  EXPECT_EQ(ReadWholeFile(folder.File("ZQ347Fill.sav")), expected);

  DialogUnderTest again;
  EXPECT_EQ(again.Selection(IDC_RATE), 4);
  EXPECT_EQ(again.Selection(SizeList), 21);
  EXPECT_EQ(again.Selection(IDC_RECORD_NUMBER), 41);
  EXPECT_EQ(again.Selection(ChannelA(1)), 7);
  EXPECT_EQ(again.Selection(ChannelA(2)), 2);
  EXPECT_EQ(again.Selection(ChannelA(10)), 4);
  EXPECT_EQ(again.Selection(ChannelB(1)), 7);
  EXPECT_EQ(again.Selection(ChannelB(10)), 3);
  for (int id : {IDC_RESET_MUL, IDC_LOOP_RECORD, IDC_A_AND_B, IDC_BIT0}) {
    EXPECT_TRUE(again.Checked(id)) << id;
  }
  EXPECT_FALSE(again.Checked(IDC_WRITE));
  EXPECT_TRUE(again.Enabled(ChannelB(3)));
}
