#include "cli/ChoiceNames.h"

#include <gtest/gtest.h>

#include "tests/TestFiles.h"
#include "tests/cli/CliTestSupport.h"

namespace {

class ChoiceNamesTest : public ::testing::Test {
 protected:
  ProgramConfiguration Configuration = BuiltinConfiguration();
};

// Each list by its labels, and by value where the list has values.
TEST_F(ChoiceNamesTest, ListEntriesByLabelOrValue) {
  EXPECT_EQ(FindRangePosition(Configuration, 1, "OFF"), 0);
  EXPECT_EQ(FindRangePosition(Configuration, 1, " Gnd"), 1);
  EXPECT_EQ(FindRangePosition(Configuration, 1, "+-0.05V"), 5);
  EXPECT_EQ(FindRangePosition(Configuration, 8, "+-10v d"), 6);
  EXPECT_EQ(FindRangePosition(Configuration, 9, "+-10V D"), -1);  // no differential input
  EXPECT_EQ(FindRangePosition(Configuration, 1, ""), -1);

  VisibleRateList one = VisibleRates(Configuration, 100000, 1);
  EXPECT_EQ(FindRatePosition(one, "100KHz"), 0);
  EXPECT_EQ(FindRatePosition(one, "8.999KHz"), 8);  // the label of 9000
  EXPECT_EQ(FindRatePosition(one, "9 kHz"), 8);
  EXPECT_EQ(FindRatePosition(one, "30.518Hz"), 28);  // the first of four alike
  EXPECT_EQ(FindRatePosition(one, "9001"), -1);
  VisibleRateList two = VisibleRates(Configuration, 50000, 2);
  EXPECT_EQ(FindRatePosition(two, "100000"), -1);
  EXPECT_EQ(FindRatePosition(two, "9.002KHz"), 6);

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

// Malformed options are usage errors (2); a named file or folder that cannot be used,
// and a choice the configuration does not offer, are refused (1), the same way on
// every platform.
TEST(CommandLine, FaultsHaveOneExitCodeEverywhere) {
  TempFolder folder;
  std::string dir = folder.Path();
  WriteBytes(folder.File("empty.cfg"), "");
  WriteBytes(folder.File("slow.cfg"), "FreqArray = 100000.0, -100\r\n");
  const std::string w = "write", s = "--settings-dir", c = "--channel";
  const struct {
    std::vector<std::string> Arguments;
    int Code;
    std::string Message;
  } cases[] = {
      {{}, ExitUsage, "A subcommand is required"},
      {{w, "--rate", "10KHz", "--rate-position", "2"}, ExitUsage, "excludes"},
      {{w, "--size", "1K", "--duration", "1"}, ExitUsage, "excludes"},
      {{w, "--rate-position", "0"}, ExitUsage, "--rate-position"},
      {{w, "--number", "0"}, ExitUsage, "--number"},
      {{w, "--number", "1001"}, ExitUsage, "--number"},
      {{w, "--rate", ""}, ExitUsage, "--rate: must not be empty"},
      {{w, "--duration", ""}, ExitUsage, "--duration: must not be empty"},
      {{w, "--name", ""}, ExitUsage, "--name: must not be empty"},
      {{w, s, dir, c, "5-3=OFF"}, ExitUsage, "--channel 5-3=OFF names an empty range"},
      {{w, s, dir, c, "3"}, ExitUsage, "--channel wants N=RANGE or N-M=RANGE, not 3"},
      {{w, s, dir, "--sync", "--channel-b", "1.5=+-1V"}, ExitUsage, "--channel-b wants N=RANGE"},
      {{w, s, dir, c, "1e99=+-1V"}, ExitUsage, "not 1e99=+-1V"},
      {{w, s, dir, "--name", "sub/Run"}, ExitUsage, "the base name sub/Run must not hold a folder"},
      {{w, s, dir, c, "1-4=OFF", c, "4=+-1V"}, ExitUsage, "A channel 4 is given twice"},
      {{"inspect"}, ExitUsage, "file is required"},
      {{w, s, "/no/such/folder"}, ExitRefused, "there is no folder /no/such/folder"},
      {{w, s, folder.File("empty.cfg")}, ExitRefused, "empty.cfg is not a folder"},
      {{w, s, dir, "--dir", "/no/such/folder"}, ExitRefused, "there is no folder"},
      {{w, s, dir, "--dir", folder.File("empty.cfg")}, ExitRefused, "is not a folder"},
      {{w, "--config", "/no/such/file.cfg"}, ExitRefused, "cannot read /no/such/file.cfg: "},
      {{w, "--config", dir}, ExitRefused, "cannot be read: " + dir + " is a folder"},
      {{w, "--config", folder.File("empty.cfg")}, ExitRefused, "empty.cfg is empty"},
      {{"inspect", "--config", dir, dir}, ExitRefused, " is a folder, not a file"},
      {{w, s, dir, "--config", folder.File("slow.cfg"), "--fresh", c, " 1 = +-10V ", "--rate",
        "24000KHz"},
       ExitRefused,
       "the rate 24000KHz is not offered for 1 channel; offered are 100KHz, 30.518Hz"},
  };
  for (const auto& c : cases) {
    CliRun run = RunArguments(c.Arguments);
    EXPECT_EQ(run.Code, c.Code) << c.Message;
    EXPECT_EQ(run.Err.rfind("zq347cli: ", 0), 0u) << run.Err;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
  }
  EXPECT_FALSE(FileExists(folder.File("0001Dat.VDF")));
  EXPECT_EQ(RunArguments({w, "--help"}).Code, ExitDone);
}

}  // namespace
