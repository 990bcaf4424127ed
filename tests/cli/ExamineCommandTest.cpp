#include <gtest/gtest.h>

#include "datafile/HeaderDecoder.h"
#include "config/ConfigFiles.h"
#include "datafile/DataFileHeader.h"
#include "tests/TestFiles.h"
#include "tests/cli/CliTestSupport.h"

namespace {

class ExamineCommandTest : public ::testing::Test {
 protected:
  ExamineCommandTest() {
    Write.SettingsFolder = Folder.Path();
    Write.IgnoreSavedState = true;
  }

  // Writes a file with the options given and returns what inspect prints of it.
  CliRun WriteAndExamine(bool json = false) {
    CliRun written = RunWrite(Write);
    EXPECT_EQ(written.Code, ExitDone) << written.Err;
    ExamineRequest request;
    request.File = Folder.File("0001Dat.VDF");
    request.ConfigFile = Folder.File(ConfigurationFileName);
    request.Verify = true;
    request.Json = json;
    Write.Overwrite = true;
    return RunExamine(request);
  }

  CliRun ExamineBytes(const std::string& bytes, bool verify = false) {
    WriteBytes(Folder.File("odd.VDF"), bytes);
    ExamineRequest request;
    request.File = Folder.File("odd.VDF");
    request.Verify = verify;
    return RunExamine(request);
  }

  TempFolder Folder;
  WriteRequest Write;
};

bool Has(const CliRun& run, const std::string& text) {
  return run.Out.find(text) != std::string::npos;
}

TEST_F(ExamineCommandTest, PrintsTheChoicesThatMadeTheFile) {
  Write.ChannelsA = {"1=+-10V", "3=+-0.1V D", "12=Gnd"};
  Write.Rate = "8KHz";
  Write.Size = "Size 2 Ks";
  Write.Loop = 1;
  CliRun run = WriteAndExamine();
  ASSERT_EQ(run.Code, ExitDone) << run.Err;
  EXPECT_TRUE(Has(run, "24000 Hz for all channels, 8000 Hz per channel (8KHz)")) << run.Out;
  EXPECT_TRUE(Has(run, "A and B off, Loop record on, Reset MUL off, Bit 0 off")) << run.Out;
  EXPECT_TRUE(Has(run, "   1  A +-10V\n   3  A +-0.1V D\n  12  A Gnd\n")) << run.Out;
  EXPECT_TRUE(Has(run,
                  "the header and 8 chunks of 1536 bytes\n            as planned for "
                  "\"Size 2 Ks\"\n"))
      << run.Out;
  EXPECT_TRUE(Has(run, "all 12288 bytes after the header hold the fill word 0xFFFF")) << run.Out;

  Write.ChannelsA = {"1-2=+-1V D", "9=+-0.05V"};
  Write.ChannelsB = {"1=+-10V D", "9=+-10V"};
  Write.Synchro = 1;
  Write.ResetMul = 1;
  Write.Bit0 = 1;
  Write.Loop = -1;
  Write.Rate = "";
  Write.RatePosition = 3;  // 3 channels: 30KHz, 25KHz, 20KHz
  Write.Size = "";
  Write.Duration = "1 min";
  run = WriteAndExamine();
  ASSERT_EQ(run.Code, ExitDone) << run.Err;
  EXPECT_TRUE(Has(run, "(20KHz)")) << run.Out;
  EXPECT_TRUE(Has(run, "A and B on, Loop record off, Reset MUL on, Bit 0 on")) << run.Out;
  EXPECT_TRUE(Has(run,
                  "   1  A +-1V D      B +-10V D\n   2  A +-1V D      B +-1V D\n"
                  "   9  A +-0.05V     B +-10V\n"))
      << run.Out;
  EXPECT_TRUE(Has(run, "as planned for \"Time 1 min.\" at 20KHz")) << run.Out;
}

TEST_F(ExamineCommandTest, JsonHoldsTheSame) {
  Write.ChannelsA = {"2=+-0.05V"};
  Write.Synchro = 1;
  Write.Rate = "1000";
  CliRun run = WriteAndExamine(true);
  ASSERT_EQ(run.Code, ExitDone) << run.Err;
  EXPECT_TRUE(Has(run,
                  "\"rate\":{\"all_channels_hz\":1000,\"per_channel_hz\":1000,"
                  "\"label\":\"1000Hz\"}"))
      << run.Out;
  EXPECT_TRUE(Has(run,
                  "\"modes\":{\"a_and_b\":true,\"loop_record\":false,\"reset_mul\":false,"
                  "\"bit0\":false}"))
      << run.Out;
  EXPECT_TRUE(Has(run, "\"channels\":[{\"channel\":2,\"a\":\"+-0.05V\",\"b\":\"+-0.05V\","))
      << run.Out;
  EXPECT_TRUE(Has(run, "\"planned\":\"Size 1 Ks\"")) << run.Out;
  EXPECT_TRUE(Has(run, "\"different_bytes\":0,\"first_difference\":null}")) << run.Out;
  EXPECT_EQ(run.Out.back(), '\n');
  EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 1);
}

TEST_F(ExamineCommandTest, VerifyFindsAChangedByte) {
  Write.ChannelsA = {"1=+-10V"};
  ASSERT_EQ(RunWrite(Write).Code, ExitDone);
  std::string bytes = ReadBytes(Folder.File("0001Dat.VDF"));
  bytes[2001] = '\x7F';
  CliRun run = ExamineBytes(bytes, true);
  EXPECT_EQ(run.Code, ExitRefused);
  EXPECT_TRUE(Has(run,
                  "1 of 2048 bytes after the header differ from the fill word 0xFFFF; the "
                  "first at byte 2001 (0x7D1)"))
      << run.Out;
  EXPECT_NE(run.Err.find("differs from the fill word"), std::string::npos);

  // A file stopped early, and one cut inside a chunk.
  run = ExamineBytes(bytes.substr(0, 512 + 3 * 512));
  EXPECT_EQ(run.Code, ExitDone);
  EXPECT_TRUE(Has(run, "matches no size or duration of the configuration")) << run.Out;
  run = ExamineBytes(bytes.substr(0, 512 + 3 * 512 + 7));
  EXPECT_TRUE(Has(run, "and 7 bytes more: the file ends inside a chunk")) << run.Out;
}

TEST_F(ExamineCommandTest, FilesThatAreNotDataFilesAreNamedSo) {
  Write.ChannelsA = {"1=+-10V"};
  ASSERT_EQ(RunWrite(Write).Code, ExitDone);
  std::string good = ReadBytes(Folder.File("0001Dat.VDF"));
  struct Case {
    std::string Bytes;
    std::string Message;
  };
  std::string renamed = good;
  renamed.replace(0x54, 9, "SD_FORMAX");
  std::string longer = good;
  longer[0x038] = 21;
  const Case cases[] = {
      {"", "holds 0 bytes, less than the 512-byte header"},
      {good.substr(0, 511), "holds 511 bytes"},
      {renamed, "the section at 0x054 is named \"SD_FORMAX\" where a data file has \"SD_FORMAT\""},
      {longer, "the SAMPLES_FORMAT section gives a length of 21 where a data file has 20"},
      {std::string(600, '\0'), "is named \"" + std::string(24, '?') + "\""},
  };
  for (const Case& c : cases) {
    CliRun run = ExamineBytes(c.Bytes);
    EXPECT_EQ(run.Code, ExitRefused) << c.Message;
    EXPECT_NE(run.Err.find("odd.VDF is not a data file: "), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    EXPECT_TRUE(run.Out.empty());
  }
  ExamineRequest missing;
  missing.File = Folder.File("none.VDF");
  EXPECT_EQ(RunExamine(missing).Code, ExitUsage);
}

TEST(HeaderDecoder, ReadsBackWhatTheHeaderBuilderWrites) {
  // Channel 16 differential at the highest gain, B too, in the "A and B" mode: 0x9B0F.
  ChannelList list;
  list.Count = 2;
  list.Entries[0] = {0, 0x00000000};  // ground
  list.Entries[1] = {15, 0x00080008};
  DataFileHeader built = BuildDataFileHeader(2, 10.0, list, 7000, SynchroModeFlag | CycleModeFlag);
  DecodedHeader header = DecodeDataFileHeader(built.Bytes, sizeof built.Bytes);
  ASSERT_TRUE(header.IsDataFile) << header.Problem;
  EXPECT_TRUE(header.Notes.empty());
  double aggregate = 14000;
  EXPECT_EQ(header.AggregateRate, QuantiseSampleRate(aggregate));
  EXPECT_EQ(header.ModeFlags, SynchroModeFlag | CycleModeFlag);
  EXPECT_EQ(header.AdcRange, 10.0);
  ASSERT_EQ(header.Channels.size(), 2u);
  EXPECT_EQ(header.Channels[0].Raw, 0x0000);
  EXPECT_EQ(RangePositionA(header.Channels[0]), 1);
  EXPECT_EQ(RangePositionB(header.Channels[0]), 1);
  EXPECT_EQ(header.Channels[1].Raw, 0x9B0F);
  EXPECT_EQ(header.Channels[1].Channel, 16);
  EXPECT_EQ(RangePositionA(header.Channels[1]), 9);
  EXPECT_EQ(RangePositionB(header.Channels[1]), 9);

  // Bytes this tool never writes are noted, not fatal.
  built.Bytes[0x079] = 40;
  built.Bytes[0x07B + 2 * 31] = 0xC0;
  built.Bytes[0x0DC] = 0;
  header = DecodeDataFileHeader(built.Bytes, sizeof built.Bytes);
  EXPECT_TRUE(header.IsDataFile);
  EXPECT_EQ(header.Channels.size(), 32u);
  EXPECT_EQ(RangePositionA(header.Channels[31]), -1);
  auto noted = [&header](const std::string& text) {
    return std::any_of(header.Notes.begin(), header.Notes.end(), [&text](const std::string& note) {
      return note.find(text) != std::string::npos;
    });
  };
  EXPECT_TRUE(noted("counts 40 channels but has room for 32"));
  EXPECT_TRUE(noted("channel 1 has an unknown input mode"));
  EXPECT_TRUE(noted("channel 1 is out of ascending order"));
  EXPECT_TRUE(noted("the byte at 0x0DC differs"));
}

}  // namespace
