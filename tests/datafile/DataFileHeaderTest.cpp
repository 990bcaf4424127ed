#include "datafile/DataFileHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/TestFiles.h"

namespace {

// A little-endian value of `size` bytes at `at`.
uint64_t Le(const DataFileHeader& h, int at, int size) {
  uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | h.Bytes[at + i];
  }
  return value;
}

uint64_t U16(const DataFileHeader& h, int at) {
  return Le(h, at, 2);
}
uint64_t U32(const DataFileHeader& h, int at) {
  return Le(h, at, 4);
}

template <typename Real>
Real Floating(const DataFileHeader& h, int at) {
  uint64_t bits = Le(h, at, sizeof(Real));
  Real value;
  std::memcpy(&value, &bits, sizeof value);  // the low bytes on this little-endian host
  return value;
}

std::string Bytes(const DataFileHeader& h, int at, int length) {
  return std::string(reinterpret_cast<const char*>(h.Bytes + at), length);
}

DataFileHeader HeaderFor(RecordingSettings settings, double adcRange, uint8_t flags) {
  ChannelList list;
  BuildChannelList(settings, &list);
  return BuildDataFileHeader(settings.ChannelCount, adcRange, list, settings.SampleRate, flags);
}

TEST(DataFileHeader, FixedSectionsInEveryFile) {
  RecordingSettings s;
  s.ChAIndex[0] = 2;
  DataFileHeader h = HeaderFor(s, 10.0, 0);
  // The chain of sections ends exactly at 512.
  const struct {
    int at;
    const char* name;
    int64_t length;
  } sections[] = {{0x000, "VELDORFFS", 0},
                  {0x020, "SAMPLES_FORMAT", 20},
                  {0x054, "SD_FORMAT", 70},
                  {0x0BA, "SD_INFO", 262},
                  {0x1E0, "SAMPLES_RECORD", -1}};
  int at = 0;
  for (const auto& section : sections) {
    ASSERT_EQ(at, section.at);
    std::string name = section.name;
    EXPECT_EQ(Bytes(h, at, 24), name + std::string(24 - name.size(), ' '));
    EXPECT_EQ(static_cast<int64_t>(Le(h, at + 24, 8)), section.length);
    at += 32 + (section.length > 0 ? static_cast<int>(section.length) : 0);
  }
  EXPECT_EQ(at, 512);

  EXPECT_EQ(U32(h, 0x040), 7u);
  EXPECT_EQ(h.Bytes[0x050], 6);
  EXPECT_EQ(h.Bytes[0x051], 0);
  EXPECT_EQ(h.Bytes[0x052], 16);
  EXPECT_EQ(h.Bytes[0x053], 0);
  EXPECT_EQ(Bytes(h, 0x0DA, 2), std::string(2, '\x00'));
  EXPECT_EQ(Bytes(h, 0x0DC, 224), std::string(224, '\xFF'));
  EXPECT_EQ(Bytes(h, 0x1BC, 30), std::string(30, '\x00'));
  EXPECT_EQ(Bytes(h, 0x1DA, 6), std::string(6, '\xFF'));
  EXPECT_EQ(Bytes(h, 0x1F8, 8), std::string(8, '\xFF'));
}

TEST(DataFileHeader, ThreeChannelsByteForByte) {
  RecordingSettings s;
  s.ChAIndex[0] = 2;
  s.ChAIndex[1] = 7;
  s.ChAIndex[4] = 5;
  s.SampleRate = 7000.0;
  DataFileHeader h = HeaderFor(s, 10.0, CycleModeFlag);
  EXPECT_EQ(U32(h, 0x074), 20997u);
  EXPECT_DOUBLE_EQ(Floating<double>(h, 0x048), 24e6 / 1143 / 3);
  EXPECT_NEAR(Floating<double>(h, 0x048), 6999.125109, 1e-6);
  EXPECT_EQ(Floating<float>(h, 0x044), -10.0f);
  EXPECT_EQ(h.Bytes[0x078], 0x10);
  EXPECT_EQ(h.Bytes[0x079], 3);
  EXPECT_EQ(U16(h, 0x07A), 0x4000);
  EXPECT_EQ(U16(h, 0x07C), 0x8101);
  EXPECT_EQ(U16(h, 0x07E), 0x4304);
  EXPECT_EQ(Bytes(h, 0x080, 58), std::string(58, '\x00'));
}

TEST(DataFileHeader, ExactAggregateRate) {
  RecordingSettings s;
  s.ChAIndex[3] = 1;
  s.ChAIndex[9] = 3;
  s.SampleRate = 10000.0;
  DataFileHeader h = HeaderFor(s, 10.0, 0);
  EXPECT_EQ(U32(h, 0x074), 20000u);
  EXPECT_EQ(Floating<double>(h, 0x048), 10000.0);
  EXPECT_EQ(U16(h, 0x07A), 0x0003);  // ground: gain 0, input mode 0
  EXPECT_EQ(U16(h, 0x07C), 0x4109);

  s.SampleRate = -100.0;  // a negative configured rate: the slowest clock, never a wrapped one
  EXPECT_EQ(U32(HeaderFor(s, 10.0, 0), 0x074), 31u);
}

TEST(DataFileHeader, SynchronousModeCarriesTheBGain) {
  RecordingSettings s;
  s.SynchroMode = 1;
  s.ChAIndex[0] = 3;
  s.ChBIndex[0] = 8;
  s.ChAIndex[15] = 9;
  s.ChBIndex[15] = 9;
  DataFileHeader h = HeaderFor(s, 10.0, SynchroModeFlag);
  EXPECT_EQ(U16(h, 0x07A), 0x5100);
  EXPECT_EQ(U16(h, 0x07C), 0x9B0F);
  EXPECT_EQ(h.Bytes[0x078], 0x04);

  s.ChBIndex[0] = 0;  // B off
  EXPECT_EQ(U16(HeaderFor(s, 10.0, 0), 0x07A), 0x4100);
  s.SynchroMode = 0;  // B ignored
  s.ChBIndex[0] = 8;
  EXPECT_EQ(U16(HeaderFor(s, 10.0, 0), 0x07A), 0x4100);
}

TEST(DataFileHeader, AllSixteenChannelsAndTheAdcRange) {
  RecordingSettings s;
  for (int c = 0; c < ChannelsPerGroup; ++c) {
    s.ChAIndex[c] = 2;
  }
  s.SampleRate = 1000.0;
  DataFileHeader h = HeaderFor(s, 0.0, 0x17);
  EXPECT_EQ(h.Bytes[0x079], 16);
  EXPECT_EQ(U16(h, 0x07A + 2 * 15), 0x400F);
  EXPECT_EQ(Bytes(h, 0x07A + 32, 32), std::string(32, '\x00'));
  EXPECT_EQ(Floating<float>(h, 0x044), 0.0f);
  EXPECT_EQ(h.Bytes[0x078], 0x17);
  EXPECT_EQ(Floating<float>(HeaderFor(s, -5.0, 0), 0x044), 0.0f);
  EXPECT_EQ(Floating<float>(HeaderFor(s, 2.5, 0), 0x044), -2.5f);
}

TEST(WriteDataFileHeader, WritesOnceAndReportsWhatHappened) {
  TempFolder folder;
  std::string name = folder.File("h.VDF");
  FaultyFileSystem files;
  RecordingSettings s;
  s.ChAIndex[0] = 2;
  ChannelList list;
  BuildChannelList(s, &list);

  EXPECT_EQ(WriteDataFileHeader(files, InvalidFile, 1, 10.0, &list, 1000.0, 0), -1);
  FileHandle file = files.CreateAlways(name.c_str(), false);
  ASSERT_NE(file, InvalidFile);
  EXPECT_EQ(WriteDataFileHeader(files, file, 0, 10.0, &list, 1000.0, 0), 0);
  EXPECT_EQ(WriteDataFileHeader(files, file, 1, 10.0, nullptr, 1000.0, 0), 0);
  EXPECT_EQ(files.FileSize(file), 0);
  EXPECT_EQ(WriteDataFileHeader(files, file, 1, 10.0, &list, 1000.0, 0), 1);
  files.WriteBudget = 100;
  EXPECT_EQ(WriteDataFileHeader(files, file, 1, 10.0, &list, 1000.0, 0), 0);
  files.Close(file);

  DataFileHeader expected = BuildDataFileHeader(1, 10.0, list, 1000.0, 0);
  std::string bytes = ReadBytes(name);
  ASSERT_EQ(bytes.size(), 612u);
  EXPECT_EQ(bytes.substr(0, 512), std::string(reinterpret_cast<char*>(expected.Bytes), 512));
}

}  // namespace
