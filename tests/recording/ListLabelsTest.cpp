// The list texts the user reads, for configurations the window tests do not start.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "recording/ListLabels.h"

using Labels = std::vector<std::string>;

TEST(ListLabels, RangesFollowTheGainsAndAZeroGainShowsNoRange) {
  ProgramConfiguration configuration;
  EXPECT_EQ(RangeLabels(configuration, false),
            (Labels{" OFF", " Gnd", "+-10V", "+-1V", "+-0.1V", "+-0.05V"}));
  configuration.Gain[0] = 2;  // no ground entry: the first range takes its place
  configuration.Gain[3] = 0;
  EXPECT_EQ(RangeLabels(configuration, true),
            (Labels{" OFF", "+-5V", "+-10V", "+-1V", "+-?V", "+-0.05V", "+-10V D", "+-1V D",
                    "+-?V D", "+-0.05V D"}));
}

TEST(ListLabels, SizesThenDurationsInTheirUnits) {
  ProgramConfiguration configuration;
  const int32_t sizes[] = {256, 768, 1024, 1536, 1572864, 536870912};
  const double minutes[] = {0.25, 0.5, 1, 59.5, 60, 90, 1200};
  configuration.SizeCount = 6;
  std::copy(std::begin(sizes), std::end(sizes), configuration.SizeArray);
  configuration.TimeCount = 7;
  std::copy(std::begin(minutes), std::end(minutes), configuration.TimeArray);
  EXPECT_EQ(SizeTimeLabels(configuration),
            (Labels{"Size 256", "Size 768", "Size 1 Ks", "Size 1.5 Ks", "Size 1.5 Ms",
                    "Size 512 Ms", "Time 15 s.", "Time 30 s.", "Time 1 min.", "Time 59.5 min.",
                    "Time 1 h.", "Time 1.5 h.", "Time 20 h."}));
}

TEST(ListLabels, RatesAndRecordNumbers) {
  EXPECT_EQ(RateLabel(100000), "100KHz");
  EXPECT_EQ(RateLabel(8998.875), "8.999KHz");
  EXPECT_EQ(RateLabel(1000), "1000Hz");  // only above 1000 in kilohertz
  EXPECT_EQ(RateLabel(30.518), "30.518Hz");
  EXPECT_EQ(RecordNumberLabel(1000), " 1000");
}
