#include "cli/ChoiceNames.h"

#include <gtest/gtest.h>

#include "tests/TestFiles.h"
#include "tests/cli/CliTestSupport.h"

namespace {

class ChoiceNamesTest : public ::testing::Test {
 protected:
  ProgramConfiguration Configuration = BuiltinConfiguration();
};

TEST_F(ChoiceNamesTest, RangesByTheirLabels) {
  EXPECT_EQ(FindRangePosition(Configuration, 1, "OFF"), 0);
  EXPECT_EQ(FindRangePosition(Configuration, 1, " Gnd"), 1);
  EXPECT_EQ(FindRangePosition(Configuration, 1, "+-0.05V"), 5);
  EXPECT_EQ(FindRangePosition(Configuration, 8, "+-10v d"), 6);
  EXPECT_EQ(FindRangePosition(Configuration, 9, "+-10V D"), -1);  // no differential input
  EXPECT_EQ(FindRangePosition(Configuration, 1, "+-2V"), -1);
  EXPECT_EQ(FindRangePosition(Configuration, 1, ""), -1);
  Configuration.Gain[0] = 2;  // no ground entry: position 1 shows its range
  EXPECT_EQ(FindRangePosition(Configuration, 1, "+-5V"), 1);
  EXPECT_EQ(FindRangePosition(Configuration, 1, "Gnd"), -1);
}

TEST_F(ChoiceNamesTest, RatesBySizeAndByLabel) {
  VisibleRateList one = VisibleRates(Configuration, 100000, 1);
  EXPECT_EQ(FindRatePosition(one, "100KHz"), 0);
  EXPECT_EQ(FindRatePosition(one, "8.999KHz"), 8);  // the label of 9000
  EXPECT_EQ(FindRatePosition(one, "9000"), 8);
  EXPECT_EQ(FindRatePosition(one, "9 kHz"), 8);
  EXPECT_EQ(FindRatePosition(one, "30.518Hz"), 28);  // the first of four alike
  EXPECT_EQ(FindRatePosition(one, "9001"), -1);
  EXPECT_EQ(FindRatePosition(one, "fast"), -1);
  VisibleRateList two = VisibleRates(Configuration, 50000, 2);
  EXPECT_EQ(FindRatePosition(two, "100000"), -1);
  EXPECT_EQ(FindRatePosition(two, "9.002KHz"), 6);
}

TEST_F(ChoiceNamesTest, SizesAndDurationsByLabelOrValue) {
  EXPECT_EQ(FindSizePosition(Configuration, "Size 1 Ks"), 0);
  EXPECT_EQ(FindSizePosition(Configuration, "2 ks"), 1);
  EXPECT_EQ(FindSizePosition(Configuration, "4096"), 2);
  EXPECT_EQ(FindSizePosition(Configuration, "1M"), 10);
  EXPECT_EQ(FindSizePosition(Configuration, "1000"), -1);
  EXPECT_EQ(FindSizePosition(Configuration, "Time 1 min."), -1);
  EXPECT_EQ(FindDurationPosition(Configuration, "Time 1 min."), 20);
  EXPECT_EQ(FindDurationPosition(Configuration, "5"), 21);
  EXPECT_EQ(FindDurationPosition(Configuration, "20 h"), 32);
  EXPECT_EQ(FindDurationPosition(Configuration, "120 min"), 27);
  EXPECT_EQ(FindDurationPosition(Configuration, "1 Ks"), -1);
}

TEST_F(ChoiceNamesTest, ChannelChoices) {
  ChannelChoice choice;
  ASSERT_TRUE(ParseChannelChoice("3=+-1V D", choice));
  EXPECT_EQ(choice.First, 3);
  EXPECT_EQ(choice.Last, 3);
  EXPECT_EQ(choice.Range, "+-1V D");
  ASSERT_TRUE(ParseChannelChoice("1-16=OFF", choice));
  EXPECT_EQ(choice.Last, 16);
  EXPECT_FALSE(ParseChannelChoice("3", choice));
  EXPECT_FALSE(ParseChannelChoice("=+-1V", choice));
  EXPECT_FALSE(ParseChannelChoice("x=+-1V", choice));
  EXPECT_FALSE(ParseChannelChoice("1.5=+-1V", choice));
  EXPECT_FALSE(ParseChannelChoice("1e99=+-1V", choice));
}

TEST(CommandLine, BadOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> commands = {
      {},
      {"write", "--no-such-option"},
      {"write", "--number", "seven"},
      {"write", "--rate", "10KHz", "--rate-position", "2"},
      {"write", "--size", "1K", "--duration", "1"},
      {"inspect"},
      {"inspect", "a.VDF", "b.VDF"},
      {"inspect", "/no/such/file.VDF"},
      {"write", "--settings-dir", "/no/such/folder"},
      {"write", "--config", "/no/such/file.cfg"},
  };
  for (const std::vector<std::string>& command : commands) {
    CliRun run = RunArguments(command);
    EXPECT_EQ(run.Code, ExitUsage) << (command.empty() ? "" : command.back());
    EXPECT_EQ(run.Err.rfind("zq347cli: ", 0), 0u) << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
  }
  CliRun help = RunArguments({"inspect", "--help"});
  EXPECT_EQ(help.Code, ExitDone);
  EXPECT_NE(help.Out.find("zq347cli inspect --verify --json 0001Dat.VDF"), std::string::npos)
      << help.Out;
}

}  // namespace
