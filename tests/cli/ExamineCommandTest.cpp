#include <gtest/gtest.h>

#include "cli/ExamineReport.h"
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
  EXPECT_EQ(run.Out.find('\n'), run.Out.size() - 1);  // one line

  // Characters pass whole; a stray byte is kept in hex beside.
  ExamineResult named;
  named.Name = "Д\"\x01\xff";
  EXPECT_EQ(FormatExamineJson(named, BuiltinConfiguration())
                .rfind("{\"file\":\"Д\\\"\\u0001\\ufffd\",\"file_bytes\":\"d0942201ff\",", 0),
            0u);
}

TEST_F(ExamineCommandTest, VerifyFindsAChangedByte) {
  Write.ChannelsA = {"1=+-10V"};
  ASSERT_EQ(RunWrite(Write).Code, ExitDone);
  std::string bytes = ReadBytes(Folder.File("0001Dat.VDF"));
  bytes[2500] = '\x7F';
  // A changed byte; stopped early; cut inside a chunk, or after the header.
  const struct {
    std::size_t Length;
    int Code;
    std::string Out;
    std::string Err;
  } cuts[] = {
      {bytes.size(), ExitRefused,
       "1 of 2048 bytes after the header differ from the fill word 0xFFFF; the first at byte "
       "2500 (0x9C4)",
       "odd.VDF differs from the fill word after the header"},
      {512 + 3 * 512, ExitDone, "possibly stopped early, or written with another", ""},
      {512 + 3 * 512 + 7, ExitRefused, "and 7 bytes more: the file ends inside a chunk",
       "odd.VDF ends inside a chunk: 7 bytes after the last whole one"},
      {512, ExitRefused, "the header and 0 chunks", "odd.VDF holds no chunk after the header"},
  };
  CliRun run;
  for (const auto& cut : cuts) {
    run = ExamineBytes(bytes.substr(0, cut.Length), "--verify");
    EXPECT_EQ(run.Code, cut.Code) << run.Err;
    EXPECT_NE(run.Out.find(cut.Out), std::string::npos) << run.Out;
    EXPECT_NE(run.Err.find(cut.Err), std::string::npos) << run.Err;
  }

  // What this tool never writes is noted, in JSON too.
  bytes[0x0DC] = 0;
  run = ExamineBytes(bytes, "--json");
  EXPECT_TRUE(
      run.Out.find("\"notes\":[\"the byte at 0x0DC differs from what this tool writes there\"]") !=
      std::string::npos)
      << run.Out;
}

}  // namespace
