#include <gtest/gtest.h>

#include <sstream>

#include "cli/ExamineCommand.h"
#include "cli/ExamineReport.h"
#include "cli/JsonText.h"
#include "config/ConfigFiles.h"
#include "tests/TestFiles.h"
#include "tests/cli/CliTestSupport.h"

namespace {

class ExamineCommandTest : public ::testing::Test {
 protected:
  ExamineCommandTest() {
    Write.SettingsFolder = Folder.Path();
    Write.IgnoreSavedState = true;
  }

  // Writes a file with the options given and returns what inspect --verify prints of it.
  CliRun WriteAndExamine(const char* format = "--verify") {
    CliRun written = RunWrite(Write);
    EXPECT_EQ(written.Code, ExitDone) << written.Err;
    Write.Overwrite = true;
    return RunArguments({"inspect", "--verify", format, "--config",
                         Folder.File(ConfigurationFileName), Folder.File("0001Dat.VDF")});
  }

  CliRun ExamineBytes(const std::string& bytes, const char* option) {
    WriteBytes(Folder.File("odd.VDF"), bytes);
    return RunArguments({"inspect", option, Folder.File("odd.VDF")});
  }

  TempFolder Folder;
  WriteRequest Write;
};

// Every text is in what was printed.
void ExpectAll(const CliRun& run, std::initializer_list<const char*> texts) {
  ASSERT_EQ(run.Code, ExitDone) << run.Err;
  for (const char* text : texts) {
    EXPECT_NE(run.Out.find(text), std::string::npos) << text << "\n" << run.Out;
  }
}

TEST_F(ExamineCommandTest, PrintsTheChoicesThatMadeTheFile) {
  Write.ChannelsA = {"1=+-10V", "3=+-0.1V D", "12=Gnd"};
  Write.Rate = "8KHz";
  Write.Size = "Size 2 Ks";
  Write.Loop = 1;
  ExpectAll(WriteAndExamine(),
            {"24000 Hz for all channels, 8000 Hz per channel (8KHz)",
             "A and B off, Loop record on, Reset MUL off, Bit 0 off",
             "   1  A +-10V\n   3  A +-0.1V D\n  12  A Gnd\n",
             "the header and 8 chunks of 1536 bytes\n            as planned for \"Size 2 Ks\"\n",
             "all 12288 bytes after the header hold the fill word 0xFFFF"});

  // The A and B channels show in the real program's runs.
  Write.ChannelsA = {"1-2=+-1V D", "9=+-0.05V"};
  Write.ResetMul = 1;
  Write.Bit0 = 1;
  Write.Loop = -1;
  Write.Rate = "";
  Write.RatePosition = 3;  // 3 channels: 30KHz, 25KHz, 20KHz
  Write.Size = "";
  Write.Duration = "1 min";
  ExpectAll(WriteAndExamine(), {"(20KHz)", "Loop record off, Reset MUL on, Bit 0 on",
                                "as planned for \"Time 1 min.\" at 20KHz"});
  // Elsewhere the built-in configuration knows the same durations.
  FreshFolder elsewhere;
  ExpectAll(
      RunArguments({"inspect", Folder.File("0001Dat.VDF")}),
      {"Compared with the built-in configuration (no ZQ347Fill.cfg in the current folder)\n",
       "as planned for \"Time 1 min.\" at 20KHz\nLength:     1 min 0 s at 20KHz per channel"});
}

TEST_F(ExamineCommandTest, JsonHoldsTheSame) {
  Write.ChannelsA = {"2=+-0.05V"};
  Write.Synchro = 1;
  Write.Rate = "1000";
  CliRun run = WriteAndExamine("--json");
  ExpectAll(run,
            {"\"rate\":{\"all_channels_hz\":1000,\"per_channel_hz\":1000,\"label\":\"1000Hz\"}",
             "\"modes\":{\"a_and_b\":true,\"loop_record\":false,\"reset_mul\":false,"
             "\"bit0\":false}",
             "\"channels\":[{\"channel\":2,\"a\":\"+-0.05V\",\"b\":\"+-0.05V\",",
             "\"planned\":\"Size 1 Ks\"", "\"different_bytes\":0,\"first_difference\":null}"});
  // One line, then the summary.
  EXPECT_EQ(run.Out.substr(run.Out.find('\n') + 1),
            "{\"summary\":{\"files\":1,\"whole\":1,\"stopped_early\":0,\"damaged\":0},"
            "\"configuration\":" +
                JsonString(Folder.File(ConfigurationFileName)) + ",\"exit_code\":0}\n");

  // Characters pass whole; a stray byte is kept in hex beside.
  ExamineResult named;
  named.Name = "Д\"\x01\xff";
  EXPECT_EQ(FormatExamineJson(named, BuiltinConfiguration())
                .rfind("{\"file\":\"Д\\\"\\u0001\\ufffd\",\"file_bytes\":\"d0942201ff\",", 0),
            0u);
}

// A card's folder: a report for each data file, then the summary; --verify fails for
// the worst, and says why on standard error.
TEST_F(ExamineCommandTest, ACardGetsAReportForEachFileAndASummary) {
  Write.ChannelsA = {"1=+-10V"};
  ASSERT_EQ(RunWrite(Write).Code, ExitDone);
  std::string bytes = ReadBytes(Folder.File("0001Dat.VDF"));
  TempFolder card;
  WriteBytes(card.File("1whole.VDF"), bytes);
  WriteBytes(card.File("2stopped.vdf"), bytes.substr(0, 512 + 3 * 512));
  WriteBytes(card.File("3cut.VDF"), bytes.substr(0, 512 + 3 * 512 + 7));
  WriteBytes(card.File("4empty.VDF"), bytes.substr(0, 512));
  WriteBytes(card.File("notes.txt"), "not a data file, not looked at");
  bytes[2500] = '\x7F';
  WriteBytes(card.File("5changed.VDF"), bytes);
  std::string config = Folder.File(ConfigurationFileName);
  CliRun run = RunArguments({"inspect", "--verify", "--config", config, card.Path()});
  EXPECT_EQ(run.Code, ExitRefused);
  ExpectAll({ExitDone, run.Out, ""},
            {"all 2048 bytes after the header hold the fill word",
             "the header and 3 chunks of 512 bytes\n            matches no size or duration",
             "and 7 bytes more: the file ends inside a chunk", "the header and 0 chunks",
             "1 of 2048 bytes after the header differ from the fill word 0xFFFF; the first at byte "
             "2500 (0x9C4)"});
  EXPECT_EQ(run.Out.substr(run.Out.rfind("\n\n")),
            "\n\n5 files: 1 whole, 2 stopped early, 2 damaged\n");
  EXPECT_EQ(run.Err, "zq347cli: " + card.File("2stopped.vdf") +
                         " matches no size or duration of the configuration: it may have been "
                         "stopped early\nzq347cli: " +
                         card.File("3cut.VDF") +
                         " ends inside a chunk: 7 bytes after the last whole one\nzq347cli: " +
                         card.File("4empty.VDF") +
                         " holds no chunk after the header: it may have been stopped early\n"
                         "zq347cli: " +
                         card.File("5changed.VDF") +
                         " differs from the fill word after the header\n");

  // Without --verify only what is no data file fails; in JSON it is an object too. A
  // folder without one fails as well, and the files after it are still reported.
  TempFolder none;
  run = RunArguments(
      {"inspect", "--json", none.Path(), card.File("1whole.VDF"), card.File("notes.txt")});
  EXPECT_EQ(run.Code, ExitRefused);
  EXPECT_EQ(run.Out.rfind(JsonError("the folder " + none.Path() + " holds no data file", 1), 0),
            0u);
  std::string notes = "{\"file\":" + JsonString(card.File("notes.txt")) +
                      ",\"error\":" + JsonString(card.File("notes.txt") + " is not a data file: ");
  notes.pop_back();  // the reason follows
  EXPECT_NE(run.Out.find("\n" + notes), std::string::npos) << run.Out;
  EXPECT_NE(
      run.Out.find("{\"summary\":{\"files\":2,\"whole\":1,\"stopped_early\":0,\"damaged\":1}"),
      std::string::npos);

  // What this tool never writes is noted, in JSON too.
  bytes[0x0DC] = 0;
  run = ExamineBytes(bytes, "--json");
  EXPECT_TRUE(
      run.Out.find("\"notes\":[\"the byte at 0x0DC differs from what this tool writes there\"]") !=
      std::string::npos)
      << run.Out;

  // A pipe hands its bytes over in pieces: the same report.
  FaultyFileSystem pieces;
  pieces.ShortRead = true;
  ExamineRequest request;
  request.Paths = {card.File("1whole.VDF")};
  request.Verify = true;
  std::ostringstream out, err;
  Console console{out, err};
  EXPECT_EQ(RunExamineCommand(request, pieces, console), ExitDone) << err.str();
  EXPECT_NE(out.str().find("all 2048 bytes after the header hold the fill word"),
            std::string::npos);
}

}  // namespace
