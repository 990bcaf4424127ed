#include "recording/RecordingSettings.h"

#include <gtest/gtest.h>

#include "config/ProgramConfiguration.h"
#include "tests/TestFiles.h"

namespace {

struct Quantised {
  double Rate;
  uint32_t Whole;
};

Quantised Quantise(double rate) {
  uint32_t whole = QuantiseSampleRate(rate);
  return {rate, whole};
}

TEST(QuantiseSampleRate, FollowsTheLoggersClockDividers) {
  EXPECT_DOUBLE_EQ(Quantise(100000).Rate, 100000.0);   // divider 240
  EXPECT_DOUBLE_EQ(Quantise(9000).Rate, 24e6 / 2667);  // 8998.875
  EXPECT_DOUBLE_EQ(Quantise(7000).Rate, 24e6 / 3429);  // 6999.125
  EXPECT_DOUBLE_EQ(Quantise(300).Rate, 24e6 / 80004);  // prescaled
  EXPECT_DOUBLE_EQ(Quantise(31).Rate, 24e6 / 774192);  // 31.00006
  EXPECT_DOUBLE_EQ(Quantise(366).Rate, 24e6 / 65568);  // the last prescaled rate
  EXPECT_DOUBLE_EQ(Quantise(367).Rate, 24e6 / 65395);  // the first plain one
  EXPECT_DOUBLE_EQ(Quantise(18000).Rate, 24e6 / 1333);
  EXPECT_EQ(Quantise(18000).Whole, 18005u);
  EXPECT_EQ(Quantise(31).Whole, 31u);
  for (double slow : {0.0, 1.0, 30.0, -0.4, -100.0, -1e12}) {
    EXPECT_DOUBLE_EQ(Quantise(slow).Rate, 24e6 / 786420) << slow;
    EXPECT_EQ(Quantise(slow).Whole, 31u) << slow;
  }
}

TEST(QuantiseSampleRate, RatesBeyondTheClockDivideByOne) {
  for (double fast : {24e6, 48e6, 48000001.0, 1e9, 4.2e9, 1e12}) {
    Quantised q = Quantise(fast);
    EXPECT_EQ(q.Rate, 24e6) << fast;
    EXPECT_EQ(q.Whole, 24000000u) << fast;
  }
}

class RecordingModel : public ::testing::Test {
 protected:
  // Enables A channels 1..n at the given range position.
  void EnableChannels(int n, int position = 2) {
    for (int c = 0; c < ChannelsPerGroup; ++c) {
      Settings.ChAIndex[c] = c < n ? position : 0;
    }
  }

  // The visible rates after a rebuild, as the rate list does it.
  VisibleRateList Rebuild() {
    int32_t count = BuildChannelList(Settings, nullptr);
    double limit = RateLimit(Settings, Configuration, count);
    return VisibleRates(Configuration, limit, Settings.ChannelCount);
  }

  ProgramConfiguration Configuration = BuiltinConfiguration();
  RecordingSettings Settings;
};

TEST_F(RecordingModel, ChannelListHoldsEnabledAChannelsWithTheirCodes) {
  Settings.ChAIndex[0] = 2;
  Settings.ChAIndex[4] = 7;
  Settings.ChAIndex[15] = -1;
  Settings.ChBIndex[0] = 3;
  Settings.ChBIndex[4] = 0;
  Settings.ChBIndex[2] = 5;  // its A channel is off: never listed
  ChannelList list;
  EXPECT_EQ(BuildChannelList(Settings, &list), 3);
  EXPECT_EQ(Settings.ChannelCount, 3);
  ASSERT_EQ(list.Count, 3);
  EXPECT_EQ(list.Entries[0].Channel, 0);
  EXPECT_EQ(list.Entries[0].Code, 1u);
  EXPECT_EQ(list.Entries[1].Channel, 4);
  EXPECT_EQ(list.Entries[1].Code, 6u);
  EXPECT_EQ(list.Entries[2].Channel, 15);
  EXPECT_EQ(list.Entries[2].Code, 0xFFFFFFFEu);

  Settings.SynchroMode = 1;
  BuildChannelList(Settings, &list);
  EXPECT_EQ(list.Entries[0].Code, 0x00020001u);
  EXPECT_EQ(list.Entries[1].Code, 0xFFFF0006u);  // B off: -1 in the high half
}

TEST(SyncChannelB, BFollowsTheKindOfA) {
  RecordingSettings settings;
  const int32_t pairs[][3] = {
      // A, B before, B after
      {0, 5, 0}, {1, 3, 1},   {3, 5, 5},   {3, 6, 3}, {8, 3, 8},
      {8, 6, 6}, {-1, 2, -1}, {7, -1, -1}, {2, 4, 4},
  };
  for (int k = 0; k < 9; ++k) {
    settings.ChAIndex[k] = pairs[k][0];
    settings.ChBIndex[k] = pairs[k][1];
  }
  SyncChannelB(settings);
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(settings.ChBIndex[k], pairs[k][2]) << k;
  }
}

TEST_F(RecordingModel, NoChannelCountsZeroButLimitsAsOne) {
  EnableChannels(0);
  EXPECT_EQ(BuildChannelList(Settings, nullptr), 0);
  EXPECT_EQ(Settings.ChannelCount, 1);
  EXPECT_EQ(RateLimit(Settings, Configuration, 0), 100000.0);
  EXPECT_EQ(Rebuild().Count, 32);
}

TEST_F(RecordingModel, VisibleRatesFollowTheChannelCount) {
  EnableChannels(1);
  VisibleRateList one = Rebuild();
  ASSERT_EQ(one.Count, 32);
  EXPECT_EQ(one.Rates[0].Displayed, 100000.0);
  EXPECT_DOUBLE_EQ(one.Rates[8].Displayed, 24e6 / 2667);
  EXPECT_DOUBLE_EQ(one.Rates[10].Displayed, 24e6 / 3429);
  EXPECT_DOUBLE_EQ(one.Rates[21].Displayed, 24e6 / 80004);
  for (int i = 28; i < 32; ++i) {
    EXPECT_DOUBLE_EQ(one.Rates[i].Displayed, 24e6 / 786420) << i;
  }

  EnableChannels(2);
  VisibleRateList two = Rebuild();
  EXPECT_EQ(RateLimit(Settings, Configuration, 2), 50000.0);
  ASSERT_EQ(two.Count, 30);
  EXPECT_EQ(two.Rates[0].Raw, 50000.0);
  EXPECT_DOUBLE_EQ(two.Rates[6].Displayed, 24e6 / 1333 / 2);
  EXPECT_DOUBLE_EQ(two.Rates[29].Displayed, 24e6 / 786420 / 2);

  EnableChannels(3);
  VisibleRateList three = Rebuild();
  ASSERT_EQ(three.Count, 28);
  EXPECT_EQ(three.Rates[0].Raw, 30000.0);
  EXPECT_DOUBLE_EQ(three.Rates[0].Displayed, 24e6 / 267 / 3);

  EnableChannels(16);
  VisibleRateList all = Rebuild();
  ASSERT_EQ(all.Count, 21);
  EXPECT_EQ(all.Rates[0].Raw, 6000.0);
  EXPECT_NEAR(all.Rates[20].Displayed, 1.907, 0.0005);
}

TEST_F(RecordingModel, NegativeConfiguredRateIsTheSlowestNotTheFastest) {
  EnableChannels(1);
  Configuration.FreqArray[1] = -100;
  VisibleRateList one = Rebuild();
  ASSERT_EQ(one.Count, 32);
  EXPECT_EQ(one.Rates[1].Raw, -100.0);
  EXPECT_DOUBLE_EQ(one.Rates[1].Displayed, 24e6 / 786420);
}

TEST_F(RecordingModel, MultiChannelCeilingAppliesFromTwoChannels) {
  Configuration.MaxFreqMCh = 60000.0;
  EnableChannels(1);
  EXPECT_EQ(RateLimit(Settings, Configuration, BuildChannelList(Settings, nullptr)), 100000.0);
  EnableChannels(2);
  EXPECT_EQ(RateLimit(Settings, Configuration, BuildChannelList(Settings, nullptr)), 30000.0);
}

TEST_F(RecordingModel, ChosenRateSurvivesAChangeOfChannelCount) {
  EnableChannels(1);
  Settings.FreqIndex = 0;
  SelectRate(Settings, Rebuild(), true);
  EXPECT_EQ(Settings.SampleRate, 100000.0);

  EnableChannels(2);
  SelectRate(Settings, Rebuild(), false);
  EXPECT_EQ(Settings.SampleRate, 50000.0);
  EXPECT_EQ(Settings.FreqIndex, 0);
}

TEST_F(RecordingModel, SavedIndexBeyondTheListKeepsTheRate) {
  EnableChannels(1);
  Settings.FreqIndex = 40;
  SelectRate(Settings, Rebuild(), true);
  EXPECT_EQ(Settings.SampleRate, 10000.0);
  EXPECT_EQ(Settings.FreqIndex, 7);

  Settings.FreqIndex = -1;
  SelectRate(Settings, Rebuild(), true);
  EXPECT_EQ(Settings.FreqIndex, 0);
  EXPECT_EQ(Settings.SampleRate, 100000.0);
}

TEST_F(RecordingModel, AscendingRatesPickTheFirstNotAbove) {
  Configuration.FreqArray[0] = 10.0;
  Configuration.FreqArray[1] = 100.0;
  Configuration.FreqCount = 2;
  EnableChannels(1);
  Settings.FreqIndex = 1;
  SelectRate(Settings, Rebuild(), true);
  EXPECT_EQ(Settings.SampleRate, 10.0);
  EXPECT_EQ(Settings.FreqIndex, 0);

  // No visible rate at or below the current one: nothing changes.
  Settings.SampleRate = 5.0;
  Settings.FreqIndex = 1;
  SelectRate(Settings, Rebuild(), false);
  EXPECT_EQ(Settings.SampleRate, 5.0);
  EXPECT_EQ(Settings.FreqIndex, 1);
}

TEST_F(RecordingModel, ChunkCountsOfSizesAndDurations) {
  Settings.SizeIndex = 0;  // 1 Ks
  EXPECT_EQ(ComputeChunkCount(Settings, Configuration), 4);
  Settings.SizeIndex = 19;  // 512 Ms
  EXPECT_EQ(ComputeChunkCount(Settings, Configuration), 2097152);

  Settings.SizeIndex = 20;  // the first duration: 1 minute
  Settings.SampleRate = 10000.0;
  EXPECT_EQ(ComputeChunkCount(Settings, Configuration), 2420);
  Settings.SampleRate = 1.0;
  EXPECT_EQ(ComputeChunkCount(Settings, Configuration), 0);

  Configuration.TimeArray[0] = 0.5;
  Settings.SampleRate = 10.0;
  EXPECT_EQ(ComputeChunkCount(Settings, Configuration), 1);

  for (int32_t outside : {-1, 33, 1000}) {
    Settings.SizeIndex = outside;
    EXPECT_EQ(ComputeChunkCount(Settings, Configuration), 0) << outside;
  }
}

TEST_F(RecordingModel, AbsurdDurationsStayFinite) {
  Settings.SizeIndex = 20;
  Settings.SampleRate = 1e300;
  EXPECT_GT(ComputeChunkCount(Settings, Configuration), int64_t{UINT32_MAX});
  Settings.SampleRate = -1e300;
  EXPECT_LT(ComputeChunkCount(Settings, Configuration), 0);
}

}  // namespace
