#include "cli/ChoiceNames.h"
#include "cli/JsonText.h"

#include <gtest/gtest.h>

#include <tuple>

#include "recording/ListLabels.h"

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

// `choices` shows the dialog's lists: for one channel, and for sixteen in the A and B
// mode, whose rates stop at the logger's 6 kHz and whose B channels have lists too.
TEST_F(ChoiceNamesTest, ChoicesAreTheDialogsLists) {
  FreshFolder here;  // without ZQ347Fill.cfg: the built-in configuration
  auto trimmed = [](const std::vector<std::string>& labels) {
    std::vector<std::string> texts;
    for (const std::string& label : labels) {
      texts.push_back(label.substr(label.find_first_not_of(' ')));
    }
    return texts;
  };
  std::vector<std::string> sizeTime = trimmed(SizeTimeLabels(Configuration));
  std::string lists =
      ",\"sizes\":" + JsonList({sizeTime.begin(), sizeTime.begin() + 20}) +
      ",\"durations\":" + JsonList({sizeTime.begin() + 20, sizeTime.end()}) +
      ",\"ranges\":" + "{\"1-8\":" + JsonList(trimmed(ChannelRangeLabels(Configuration, 8))) +
      ",\"9-16\":" + JsonList(trimmed(ChannelRangeLabels(Configuration, 9))) + "}";
  for (auto [channels, rates, last] : {std::tuple{1, 32, "30.518Hz"}, {16, 21, "1.907Hz"}}) {
    VisibleRateList visible = VisibleRates(Configuration, 100000.0 / channels, channels);
    std::vector<std::string> labels;
    for (int32_t i = 0; i < visible.Count; ++i) {
      labels.push_back(RateLabel(visible.Rates[i].Displayed));
    }
    ASSERT_EQ(static_cast<int>(labels.size()), rates);
    EXPECT_EQ(labels.back(), last);
    bool sync = channels > 1;
    std::vector<std::string> arguments{"choices", "--channels", std::to_string(channels)};
    if (sync) {
      arguments.push_back("--sync");
    }
    std::string text = RunArguments(arguments).Out;
    EXPECT_NE(text.find("--rate       " + JoinLabels(labels) + "\n"), std::string::npos);
    EXPECT_NE(text.find(channels == 1 ? "for 1 channel:" : "for 16 channels in the \"A"),
              std::string::npos);
    arguments.push_back("--json");
    CliRun run = RunArguments(arguments);
    EXPECT_EQ(run.Code, ExitDone) << run.Err;
    std::string start = "{\"configuration\":null,\"channels\":" + std::to_string(channels) +
                        ",\"a_and_b\":" + (sync ? "true" : "false") + ",\"rates\":";
    EXPECT_EQ(run.Out, start + JsonList(labels) + lists + ",\"b_ranges\":" +
                           (sync ? lists.substr(lists.find("{\"1-8")) : "null") + "}\n");
  }
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
      {{"wirte", "--json"},
       ExitUsage,
       "unknown command wirte; the commands are write, inspect, "
       "choices"},
      {{"choices", "--channels", "17"}, ExitUsage, "--channels"},
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
      {{w, s, dir, c, "1-4=OFF", c, "4=+-1V"}, ExitUsage, "A channel 4 is given twice"},
      {{"inspect"}, ExitUsage, "files is required"},
      {{w, s, "/no/such/folder"}, ExitRefused, "there is no folder /no/such/folder"},
      {{w, s, folder.File("empty.cfg")}, ExitRefused, "empty.cfg is not a folder"},
      {{w, s, dir, "--dir", "/no/such/folder"}, ExitRefused, "there is no folder"},
      {{w, s, dir, "--dir", folder.File("empty.cfg")}, ExitRefused, "is not a folder"},
      {{w, "--config", "/no/such/file.cfg"}, ExitRefused, "cannot read /no/such/file.cfg: "},
      {{w, "--config", dir}, ExitRefused, "cannot be read: " + dir + " is a folder"},
      {{w, "--config", folder.File("empty.cfg")}, ExitRefused, "empty.cfg is empty"},
      {{"inspect", "--config", dir, dir}, ExitRefused, " is a folder, not a file"},
      {{"inspect", "--json", dir}, ExitRefused, "the folder " + dir + " holds no data file"},
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
    // With --json the failure is an object on standard output too.
    bool json = std::count(c.Arguments.begin(), c.Arguments.end(), "--json") > 0;
    EXPECT_EQ(run.Out, json ? JsonError(run.Err.substr(10, run.Err.size() - 11), c.Code) : "");
  }
  EXPECT_FALSE(FileExists(folder.File("0001Dat.VDF")));
  EXPECT_EQ(RunArguments({w, "--help"}).Code, ExitDone);
}

}  // namespace
