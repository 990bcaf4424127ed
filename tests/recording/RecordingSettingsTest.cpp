#include "recording/RecordingSettings.h"

#include <gtest/gtest.h>

#include "config/ProgramConfiguration.h"
#include "tests/TestFiles.h"

namespace {

TEST(QuantiseSampleRate, FollowsTheLoggersClockDividers) {
  // The rate asked for, the divider of the 24 MHz clock; the first of each kind of
  // rate and those below the slowest divider, then those beyond the clock.
  const std::pair<double, double> cases[] = {
      {100000, 240}, {9000, 2667},  {7000, 3429}, {300, 80004}, {31, 774192},   {366, 65568},
      {367, 65395},  {18000, 1333}, {0, 786420},  {30, 786420}, {-0.4, 786420}, {-1e12, 786420},
      {24e6, 1},     {48000001, 1}, {4.2e9, 1},   {1e12, 1}};
  for (auto [rate, divider] : cases) {
    double quantised = rate;
    QuantiseSampleRate(quantised);
    EXPECT_DOUBLE_EQ(quantised, 24e6 / divider) << rate;
  }
  // The whole aggregate rate the header holds.
  for (auto [rate, whole] :
       {std::pair{18000.0, 18005u}, {31.0, 31u}, {-100.0, 31u}, {4.2e9, 24000000u}}) {
    EXPECT_EQ(QuantiseSampleRate(rate), whole) << rate;
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

TEST_F(RecordingModel, ChannelListHoldsEnabledAChannelsWithTheirCodesAndBFollowsA) {
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

TEST_F(RecordingModel, VisibleRatesFollowTheChannelCountAndItsLimit) {
  // Channels, the number of rates shown and the first of them as configured; then a
  // position and the clock divider whose rate, shared by the channels, it shows.
  const struct {
    int Channels, Count;
    double First;
    int Shown;
    double Divider;
  } cases[] = {{1, 32, 100000, 0, 240},    {1, 32, 100000, 8, 2667},    {1, 32, 100000, 10, 3429},
               {1, 32, 100000, 21, 80004}, {1, 32, 100000, 31, 786420}, {2, 30, 50000, 6, 1333},
               {2, 30, 50000, 29, 786420}, {3, 28, 30000, 0, 267},      {16, 21, 6000, 20, 786420}};
  for (const auto& c : cases) {
    EnableChannels(c.Channels);
    VisibleRateList visible = Rebuild();
    ASSERT_EQ(visible.Count, c.Count) << c.Channels;
    EXPECT_EQ(visible.Rates[0].Raw, c.First) << c.Channels;
    EXPECT_DOUBLE_EQ(visible.Rates[c.Shown].Displayed, 24e6 / c.Divider / c.Channels) << c.Shown;
  }
  // A negative configured rate is the slowest, not the fastest.
  EnableChannels(1);
  Configuration.FreqArray[1] = -100;
  VisibleRateList one = Rebuild();
  ASSERT_EQ(one.Count, 32);
  EXPECT_EQ(one.Rates[1].Raw, -100.0);
  EXPECT_DOUBLE_EQ(one.Rates[1].Displayed, 24e6 / 786420);

  // No channel counts zero but limits as one; the ceiling of several applies from two.
  Configuration.MaxFreqMCh = 60000.0;
  EnableChannels(0);
  EXPECT_EQ(BuildChannelList(Settings, nullptr), 0);
  EXPECT_EQ(Settings.ChannelCount, 1);
  EXPECT_EQ(RateLimit(Settings, Configuration, 0), 100000.0);
  EXPECT_EQ(Rebuild().Count, 32);
  EnableChannels(1);
  EXPECT_EQ(RateLimit(Settings, Configuration, BuildChannelList(Settings, nullptr)), 100000.0);
  EnableChannels(2);
  EXPECT_EQ(RateLimit(Settings, Configuration, BuildChannelList(Settings, nullptr)), 30000.0);
}

TEST_F(RecordingModel, SelectRateKeepsTheRateOrTakesTheIndex) {
  // A saved index beyond the list keeps the start rate; one below it takes the first.
  EnableChannels(1);
  Settings.FreqIndex = 40;
  SelectRate(Settings, Rebuild(), true);
  EXPECT_EQ(Settings.SampleRate, 10000.0);
  EXPECT_EQ(Settings.FreqIndex, 7);
  Settings.FreqIndex = -1;
  SelectRate(Settings, Rebuild(), true);
  EXPECT_EQ(Settings.FreqIndex, 0);
  EXPECT_EQ(Settings.SampleRate, 100000.0);

  // The chosen rate survives a change of the channel count.
  EnableChannels(2);
  SelectRate(Settings, Rebuild(), false);
  EXPECT_EQ(Settings.SampleRate, 50000.0);
  EXPECT_EQ(Settings.FreqIndex, 0);

  // Ascending rates pick the first not above.
  Configuration.FreqArray[0] = 10.0;
  Configuration.FreqArray[1] = 100.0;
  Configuration.FreqCount = 2;
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
  // Absurd durations stay finite.
  Settings.SizeIndex = 20;
  Settings.SampleRate = 1e300;
  EXPECT_GT(ComputeChunkCount(Settings, Configuration), int64_t{UINT32_MAX});
  Settings.SampleRate = -1e300;
  EXPECT_LT(ComputeChunkCount(Settings, Configuration), 0);
}

}  // namespace
