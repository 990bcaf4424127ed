#include "recording/ListChoices.h"

#include <gtest/gtest.h>

#include "tests/TestFiles.h"

namespace {

TEST(ListChoices, SavedPositionsTheListsLackBecomeNoChoice) {
  ProgramConfiguration configuration = BuiltinConfiguration();
  RecordingSettings settings;
  settings.ChAIndex[0] = 10;
  settings.ChAIndex[8] = 6;  // no differential input on channel 9
  settings.ChAIndex[9] = 5;
  settings.ChBIndex[9] = 9;
  settings.SizeIndex = 33;
  settings.FileNumber = 1000;
  settings.FreqIndex = 40;
  VisibleRateList visible = SettleSavedChoices(settings, configuration);
  EXPECT_EQ(settings.ChAIndex[0], -1);
  EXPECT_EQ(settings.ChAIndex[8], -1);
  EXPECT_EQ(settings.ChAIndex[9], 5);
  EXPECT_EQ(settings.ChBIndex[9], 5);  // made single-ended like its A channel
  EXPECT_EQ(settings.SizeIndex, -1);
  EXPECT_EQ(settings.FileNumber, -1);
  // 40 is beyond the rates for three channels: the start value 10KHz stays.
  EXPECT_EQ(visible.Count, 28);
  EXPECT_EQ(settings.SampleRate, 10000.0);
  EXPECT_EQ(visible.Rates[settings.FreqIndex].Raw, 10000.0);
  EXPECT_EQ(ListWithoutChoice(settings), "Size/Time per channel");
  settings.SizeIndex = 32;
  EXPECT_EQ(ListWithoutChoice(settings), "Record number");
  settings.FileNumber = 999;
  EXPECT_EQ(ListWithoutChoice(settings), "1 A");
  settings.ChAIndex[0] = 0;
  settings.ChAIndex[8] = 0;
  EXPECT_EQ(ListWithoutChoice(settings), "");
  settings.SynchroMode = 1;
  settings.ChBIndex[9] = -1;
  EXPECT_EQ(ListWithoutChoice(settings), "10 B");

  // A rate the list cannot show leaves it without a choice, and the list says so.
  configuration.FreqArray[0] = 20000;
  configuration.FreqCount = 1;
  settings.SampleRate = 10000;
  SettleRate(settings, configuration, false);
  EXPECT_EQ(settings.FreqIndex, -1);
  EXPECT_EQ(ListWithoutChoice(settings), "Sampling rate per channel");
  ChannelList list;
  SettleRate(settings, configuration, true, &list);
  EXPECT_EQ(settings.SampleRate, 20000.0);
  EXPECT_EQ(list.Count, 1);
  EXPECT_EQ(list.Entries[0].Channel, 9);
}

}  // namespace
