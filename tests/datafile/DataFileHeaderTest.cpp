#include "datafile/DataFileHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "datafile/HeaderDecoder.h"
#include "tests/TestFiles.h"

namespace {

DataFileHeader HeaderFor(RecordingSettings settings, double adcRange, uint8_t flags) {
  ChannelList list;
  BuildChannelList(settings, &list);
  return BuildDataFileHeader(settings.ChannelCount, adcRange, list, settings.SampleRate, flags);
}

DecodedHeader ReadBack(const DataFileHeader& header) {
  DecodedHeader decoded = DecodeDataFileHeader(header.Bytes, sizeof header.Bytes);
  EXPECT_TRUE(decoded.IsDataFile) << decoded.Problem;
  return decoded;
}

std::string Text(const DataFileHeader& header) {
  return std::string(reinterpret_cast<const char*>(header.Bytes), HeaderSize);
}

// Channels 1 (+-10V), 2 (+-1V D) and 5 (+-0.05V) at 7000 Hz, 10 V, loop record: the
// aggregate 21000 Hz becomes 20997 Hz, 6999.125... Hz per channel.
const char* const ThreeChannels =
    "56454C444F524646532020202020202020202020202020200000000000000000"
    "53414D504C45535F464F524D4154202020202020202020201400000000000000"
    "07000000000020C155C72A072057BB400600100053445F464F524D4154202020"
    "2020202020202020202020204600000000000000055200001003004001810443"
    "0000000000000000000000000000000000000000000000000000000000000000"
    "000000000000000000000000000000000000000000000000000053445F494E46"
    "4F202020202020202020202020202020202006010000000000000000FFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00000000"
    "0000000000000000000000000000000000000000000000000000FFFFFFFFFFFF"
    "53414D504C45535F5245434F524420202020202020202020FFFFFFFFFFFFFFFF";

TEST(DataFileHeader, ThreeChannelsByteForByte) {
  RecordingSettings s;
  s.ChAIndex[0] = 2;
  s.ChAIndex[1] = 7;
  s.ChAIndex[4] = 5;
  s.SampleRate = 7000.0;
  std::string expected;
  for (const char* hex = ThreeChannels; *hex != '\0'; hex += 2) {
    expected += static_cast<char>(std::stoi(std::string(hex, 2), nullptr, 16));
  }
  DataFileHeader h = HeaderFor(s, 10.0, CycleModeFlag);
  EXPECT_EQ(Text(h), expected);
  DecodedHeader read = ReadBack(h);
  EXPECT_DOUBLE_EQ(read.PerChannelRate, 24e6 / 1143 / 3);
  EXPECT_TRUE(read.Notes.empty());
}

// What the builder writes, the reader reads back: rates, ranges, modes and descriptors.
TEST(DataFileHeader, ReadsBackWhatItWrites) {
  RecordingSettings s;
  s.ChAIndex[3] = 1;  // ground: gain 0, input mode 0
  s.ChAIndex[9] = 3;
  s.SampleRate = 10000.0;
  DecodedHeader read = ReadBack(HeaderFor(s, 10.0, 0));
  EXPECT_EQ(read.AggregateRate, 20000u);
  EXPECT_EQ(read.PerChannelRate, 10000.0);
  ASSERT_EQ(read.Channels.size(), 2u);
  EXPECT_EQ(read.Channels[0].Raw, 0x0003);
  EXPECT_EQ(RangePositionA(read.Channels[0]), 1);
  EXPECT_EQ(read.Channels[1].Raw, 0x4109);
  EXPECT_EQ(read.Channels[1].Channel, 10);
  s.SampleRate = -100.0;  // a negative configured rate: the slowest clock, never a wrapped one
  EXPECT_EQ(ReadBack(HeaderFor(s, 10.0, 0)).AggregateRate, 31u);

  // The B gain rides in the descriptor of its A channel, in the "A and B" mode only.
  s = RecordingSettings();
  s.SynchroMode = 1;
  s.ChAIndex[0] = 3;
  s.ChBIndex[0] = 8;
  s.ChAIndex[15] = 9;
  s.ChBIndex[15] = 9;
  read = ReadBack(HeaderFor(s, 10.0, SynchroModeFlag | CycleModeFlag));
  EXPECT_EQ(read.ModeFlags, SynchroModeFlag | CycleModeFlag);
  ASSERT_EQ(read.Channels.size(), 2u);
  EXPECT_EQ(read.Channels[0].Raw, 0x5100);
  EXPECT_EQ(RangePositionB(read.Channels[0]), 4);  // read with the kind of its A channel
  EXPECT_EQ(read.Channels[1].Raw, 0x9B0F);
  EXPECT_EQ(RangePositionA(read.Channels[1]), 9);
  EXPECT_EQ(RangePositionB(read.Channels[1]), 9);
  s.ChBIndex[0] = 0;  // B off
  EXPECT_EQ(ReadBack(HeaderFor(s, 10.0, 0)).Channels[0].Raw, 0x4100);
  s.SynchroMode = 0;  // B ignored
  s.ChBIndex[0] = 8;
  EXPECT_EQ(ReadBack(HeaderFor(s, 10.0, 0)).Channels[0].Raw, 0x4100);
  s.ChAIndex[0] = 6;  // +-10V D: the first differential range
  EXPECT_EQ(ReadBack(HeaderFor(s, 10.0, 0)).Channels[0].Raw, 0x8000);

  for (int c = 0; c < ChannelsPerGroup; ++c) {
    s.ChAIndex[c] = 2;
  }
  s.SampleRate = 1000.0;
  read = ReadBack(HeaderFor(s, 0.0, 0x17));
  EXPECT_EQ(read.ChannelCount, 16);
  EXPECT_EQ(read.Channels.back().Raw, 0x400F);
  EXPECT_EQ(read.ModeFlags, 0x17);
  EXPECT_TRUE(read.Notes.empty());  // slots 16-31 are 0
  EXPECT_EQ(read.AdcRange, 0.0);
  EXPECT_EQ(ReadBack(HeaderFor(s, -5.0, 0)).AdcRange, 0.0);
  EXPECT_EQ(ReadBack(HeaderFor(s, 2.5, 0)).AdcRange, 2.5);
}

TEST(HeaderDecoder, SaysWhyBytesAreNotADataFile) {
  RecordingSettings s;
  s.ChAIndex[0] = 2;
  std::string good = Text(HeaderFor(s, 10.0, 0));
  std::string renamed = good;
  renamed.replace(0x54, 9, "SD_FORMAX");
  std::string longer = good;
  longer[0x038] = 21;
  const std::pair<std::string, std::string> cases[] = {
      {"", "it holds 0 bytes, less than the 512-byte header of a data file"},
      {good.substr(0, 511), "it holds 511 bytes, less than the 512-byte header of a data file"},
      {renamed, "the section at 0x054 is named \"SD_FORMAX\" where a data file has \"SD_FORMAT\""},
      {longer, "the SAMPLES_FORMAT section gives a length of 21 where a data file has 20"},
      {std::string(600, '\0'), "the section at 0x000 is named \"" + std::string(24, '?') +
                                   "\" where a data file has \"VELDORFFS\""},
  };
  for (const auto& [bytes, problem] : cases) {
    DecodedHeader read =
        DecodeDataFileHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_FALSE(read.IsDataFile);
    EXPECT_EQ(read.Problem, problem);
  }

  // Bytes this tool never writes are noted, not fatal.
  good[0x079] = 40;
  good[0x07B + 2 * 31] = '\xC0';
  good[0x0DC] = 0;
  DecodedHeader read =
      DecodeDataFileHeader(reinterpret_cast<const uint8_t*>(good.data()), good.size());
  EXPECT_TRUE(read.IsDataFile);
  EXPECT_EQ(read.Channels.size(), 32u);
  EXPECT_EQ(RangePositionA(read.Channels[31]), -1);
  for (const char* note :
       {"the header counts 40 channels but has room for 32", "channel 1 has an unknown input mode",
        "channel 1 is out of ascending order",
        "the byte at 0x0DC differs from what this tool writes there"}) {
    EXPECT_NE(std::find(read.Notes.begin(), read.Notes.end(), note), read.Notes.end()) << note;
  }
  good[0x079] = 32;  // every slot used
  read = DecodeDataFileHeader(reinterpret_cast<const uint8_t*>(good.data()), good.size());
  EXPECT_TRUE(std::none_of(read.Notes.begin(), read.Notes.end(), [](const std::string& note) {
    return note.rfind("the header counts", 0) == 0;
  }));
}

}  // namespace
