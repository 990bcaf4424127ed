#include "datafile/DataFilePlan.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "datafile/DataFileSize.h"
#include "tests/TestFiles.h"

namespace {

constexpr int32_t Sizes = 20;  // of the default list; the durations follow
constexpr int32_t TenMinutes = Sizes + 2;
constexpr int32_t OneHour = Sizes + 6;

struct Plan : ::testing::Test {
  // `n` A channels at `rate`, as the rate list settles them.
  std::string Text(int32_t n, double rate, int32_t sizeIndex, bool synchro = false) {
    for (int32_t c = 0; c < ChannelsPerGroup; ++c) {
      Settings.ChAIndex[c] = c < n ? 2 : 0;
    }
    BuildChannelList(Settings, nullptr);
    Settings.SampleRate = rate;
    Settings.SizeIndex = sizeIndex;
    Settings.SynchroMode = synchro ? 1 : 0;
    return PlanText(PlanDataFile(Settings, Configuration, Paths));
  }

  ProgramConfiguration Configuration = BuiltinConfiguration();
  RecordingSettings Settings;
  PathTexts Paths;
};

TEST_F(Plan, SaysNameSizeChannelsRateAndLength) {
  std::snprintf(Paths.OutputPath, sizeof Paths.OutputPath, "rec%c0002Dat", PathSeparator);
  EXPECT_EQ(Text(4, 10000, TenMinutes), "0002Dat.VDF, 47.3 MB, 4 channels × 10 kHz for 10 min 0 s");
  EXPECT_EQ(Text(1, 100000, 0), "0002Dat.VDF, 2.5 KB, 1 channel × 100 kHz for 10 ms");
  EXPECT_EQ(Text(1, 9000, Sizes - 1), "0002Dat.VDF, 1.00 GB, 1 channel × 8.999 kHz for 16 h 3 min");
  EXPECT_EQ(Text(16, 6000, OneHour, true),
            "0002Dat.VDF, 1.33 GB, 16 A + 16 B channels × 6 kHz for 1 h 0 min");
  // The clock goes no slower: the header's rate, and the hour is an hour at it.
  EXPECT_EQ(Text(1, 10, OneHour), "0002Dat.VDF, 222.0 KB, 1 channel × 30.518 Hz for 1 h 0 min");
  EXPECT_EQ(Text(16, 1, Sizes + 12), "0002Dat.VDF, 4.3 MB, 16 channels × 1.907 Hz for 20 h 1 min");
  EXPECT_EQ(Text(0, 10000, 0), "0002Dat.VDF, no A channel switched on");
}

TEST(DurationText, EachUnitRoundedAsShown) {
  const std::pair<double, const char*> cases[] = {
      {0.0024, "2 ms"},     {0.9994, "999 ms"},      {0.9996, "1.0 s"},     {59.94, "59.9 s"},
      {59.96, "1 min 0 s"}, {3599.4, "59 min 59 s"}, {3599.6, "1 h 0 min"}, {86369, "23 h 59 min"},
      {86371, "1 d 0 h"},   {17060000, "197 d 11 h"}};
  for (auto [seconds, text] : cases) {
    EXPECT_EQ(DurationText(seconds), text) << seconds;
  }
}

// Below the clock's slowest rate the logger records faster than asked, and a
// duration sized at the rate asked for was filled too soon: one channel at 10 Hz
// filled "Time 1 h." in about 20 minutes. Everywhere else the sizes stay as they were.
TEST(DurationRule, SizedAtTheRecordedRateOnlyWhereTheClockCannotGoSlower) {
  ProgramConfiguration configuration = BuiltinConfiguration();
  RecordingSettings settings;
  int32_t mended = 0;
  for (int32_t channels = 1; channels <= ChannelsPerGroup; ++channels) {
    settings.ChannelCount = channels;
    for (int32_t r = 0; r < configuration.FreqCount; ++r) {
      settings.SampleRate = configuration.FreqArray[r];
      double recorded = RecordedRate(settings.SampleRate, channels);
      bool clamped = channels * settings.SampleRate < 30.5;
      mended += clamped ? 1 : 0;
      for (int32_t k = 0; k < configuration.TimeCount; ++k) {
        settings.SizeIndex = Sizes + k;
        RecordingSettings asked = settings;
        asked.SampleRate = clamped ? recorded : settings.SampleRate;
        int64_t expected = ComputeChunkCount(asked, configuration);
        EXPECT_EQ(PlannedChunks(settings, configuration), expected < 1 ? 1 : expected)
            << channels << " channels at " << settings.SampleRate << " Hz, entry " << k;
      }
    }
  }
  // 20, 10, 5 and 1 Hz for one channel ... 1 Hz alone from seven channels on.
  EXPECT_EQ(mended, 4 + 3 + 3 + 3 * 2 + 10);

  settings.ChannelCount = 1;
  settings.SizeIndex = OneHour;
  for (double rate : {20.0, 10.0, 5.0, 1.0}) {
    settings.SampleRate = rate;
    EXPECT_EQ(PlannedChunks(settings, configuration), 443u) << rate;  // 145 at 10 Hz before
  }
}

}  // namespace
