#include "config/ConfigFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "recording/SavedState.h"
#include "tests/TestFiles.h"

namespace {

RecordingSettings SampleSettings() {
  RecordingSettings s;
  s.FreqIndex = 7;
  s.SizeIndex = -1;
  s.FileNumber = 12;
  s.ZeroMul = 1;
  s.CycleMode = 0;
  s.SynchroMode = 1;
  s.DigitalBIT0 = 1;
  for (int c = 0; c < ChannelsPerGroup; ++c) {
    s.ChAIndex[c] = c % 10;
    s.ChBIndex[c] = 9 - c % 10;
  }
  return s;
}

class ConfigFilesTest : public ::testing::Test {
 protected:
  // Reads a configuration file holding `text` into a fresh record.
  ProgramConfiguration Configured(const std::string& text) {
    WriteBytes(Folder.File("test.cfg"), text);
    ProgramConfiguration configuration;
    ReadConfiguration(Files, Folder.File("test.cfg").c_str(), configuration);
    return configuration;
  }

  // Paths of a program started in the test's folder.
  PathTexts StartedHere() {
    PathTexts paths;
    std::snprintf(paths.StartupDirectory, sizeof paths.StartupDirectory, "%s",
                  Folder.Path().c_str());
    return paths;
  }

  TempFolder Folder;
  FaultyFileSystem Files;
};

TEST_F(ConfigFilesTest, FirstStartWritesTheBuiltInTextWholeOrNotAtAll) {
  std::string name = Folder.File(ConfigurationFileName);
  Files.WriteBudget = 100;
  WriteDefaultConfiguration(Files, name.c_str());
  EXPECT_FALSE(FileExists(name));
  Files.WriteBudget = -1;
  WriteDefaultConfiguration(Files, name.c_str());
  EXPECT_EQ(ReadBytes(name), ReadBytes(ZQ_BUILTIN_TEXT_FILE));

  // The lists, the file name and the fill word show in the recording and command
  // line tests; here the rest.
  ProgramConfiguration c;
  ReadConfiguration(Files, name.c_str(), c);
  EXPECT_EQ(c.HelpPreDelay, 10000);
  EXPECT_EQ(c.HelpPostDelay, 5000);
  EXPECT_EQ(c.Gain[3], 100);
  EXPECT_EQ(c.FileAutoIncrement, 1);

  // An existing file is never replaced. An empty one is not read, yet the limits apply.
  WriteBytes(name, "");
  WriteDefaultConfiguration(Files, name.c_str());
  EXPECT_EQ(ReadBytes(name), "");
  ProgramConfiguration unread;
  unread.MaxFreq = -1.0;
  unread.MaxFreqMCh = 500000.0;
  unread.SizeCount = 2;
  unread.SizeArray[0] = 1000;
  unread.SizeArray[1] = 0;
  ReadConfiguration(Files, name.c_str(), unread);
  EXPECT_EQ(unread.MaxFreq, 120000.0);
  EXPECT_EQ(unread.MaxFreqMCh, 120000.0);
  EXPECT_EQ(unread.SizeArray[0], 1024);
  EXPECT_EQ(unread.SizeArray[1], 256);
  EXPECT_EQ(unread.HelpPreDelay, 2000);
}

TEST_F(ConfigFilesTest, MissingOrInvalidKeysTakeTheReaderDefaults) {
  ProgramConfiguration c = Configured("ADCRange = volts\r\nSizeArray = abc, 1K\r\n");
  EXPECT_EQ(c.HelpPreDelay, 60000);
  EXPECT_EQ(c.HelpPostDelay, 60000);
  EXPECT_EQ(c.ADCRange, 10.0);
  EXPECT_EQ(std::vector<int32_t>(c.Gain, c.Gain + 5), (std::vector<int32_t>{0, 1, 10, 100, 200}));
  EXPECT_EQ(c.SizeCount, 100);
  EXPECT_EQ(c.SizeArray[0], 1024);
  EXPECT_EQ(c.SizeArray[99], 1073741824);  // the sizes stop doubling at 1 Gs
  EXPECT_EQ(c.FreqCount, 100);
  EXPECT_EQ(c.FreqArray[3], 12500.0);
  EXPECT_EQ(c.TimeCount, 0);
  EXPECT_STREQ(c.File, "Dat");
  EXPECT_EQ(c.FileAutoIncrement, 0);
  EXPECT_EQ(c.FillValue, 0xFFFF);
}

TEST_F(ConfigFilesTest, ValuesAreLimitedAndSizesRoundedUpToWholeSectors) {
  EXPECT_EQ(Configured("HelpPostDelay = 100").HelpPostDelay, 500);
  EXPECT_EQ(Configured("HelpPreDelay = 70000").HelpPreDelay, 60000);
  EXPECT_EQ(Configured("HelpPreDelay = -5").HelpPreDelay, 0);
  EXPECT_EQ(Configured("MaxFreq = 0").MaxFreq, 120000.0);
  ProgramConfiguration c = Configured("MaxFreq = 100000\nMaxFreqMCh = 200000");
  EXPECT_EQ(c.MaxFreq, 100000.0);
  EXPECT_EQ(c.MaxFreqMCh, 100000.0);
  c = Configured("SizeArray = 1000, 100, 0, -1000, 0x7FFFFFFF, 512");
  ASSERT_EQ(c.SizeCount, 6);
  EXPECT_EQ(std::vector<int32_t>(c.SizeArray, c.SizeArray + 6),
            (std::vector<int32_t>{1024, 256, 256, 256, 256, 512}));
  std::string many = "FreqArray =";
  for (int i = 1; i <= 120; ++i) {
    many += " " + std::to_string(i);
  }
  EXPECT_EQ(Configured(many).FreqCount, 100);  // the lists hold a hundred entries at most
}

TEST_F(ConfigFilesTest, FileNameFollowsTheTextRules) {
  EXPECT_STREQ(Configured("File = \"My File\"").File, "My File");
  EXPECT_EQ(std::string(Configured("File = " + std::string(300, 'x')).File), std::string(255, 'X'));

  // UTF-8 stays, cut after 255 characters of any language; other bytes come from an
  // older editor in the system's 8-bit code page (1252 under Wine here) and give the
  // name they always gave.
  std::string cyrillic;
  for (int i = 0; i < 300; ++i) {
    cyrillic += "Д";
  }
  EXPECT_EQ(std::string(Configured("File = \"" + cyrillic + "\"").File), cyrillic.substr(0, 510));
  std::string old = Configured("File = \"D\xE4t\"").File;
  std::string oldLong = Configured("File = \"" + std::string(300, '\xE4') + "\"").File;
#ifdef _WIN32
  EXPECT_EQ(old, "Dät");
  EXPECT_EQ(oldLong.size(), 510u);
  EXPECT_EQ(oldLong.substr(508), "ä");
#else
  EXPECT_EQ(old, "D\xE4t");
  EXPECT_EQ(oldLong, std::string(255, '\xE4'));
#endif
}

TEST_F(ConfigFilesTest, DefaultsRememberTheStartupDirectoryWhenItFits) {
  CurrentFolder current(Folder.Path());
  ProgramConfiguration c;
  c.HelpPreDelay = 1;
  RecordingSettings s = SampleSettings();
  s.SampleRate = 5.0;
  PathTexts paths;
  std::strcpy(paths.OutputPath, "old");
  StartFiles none{"absent.cfg", false, nullptr};
  LoadStartValues(Files, none, c, s, paths);
  EXPECT_EQ(c.HelpPreDelay, 2000);
  EXPECT_EQ(s.FileNumber, 0);
  EXPECT_EQ(s.ChBIndex[15], 0);
  EXPECT_EQ(s.SampleRate, 10000.0);
  EXPECT_EQ(std::string(paths.StartupDirectory), Folder.Path());
  EXPECT_EQ(std::string(paths.OutputDirectory), Folder.WithSeparator());
  EXPECT_STREQ(paths.OutputPath, "");
  // In code page 932 the last byte of 表 is the separator's; in UTF-8 it is not.
  // Names are counted in UTF-16 units: 255 characters of CJK fit (765 bytes), 256 do not.
  Files.Directory = std::string("C:") + PathSeparator;
  for (int i = 0; i < 252; ++i) {
    Files.Directory += "表";
  }
  LoadDefaults(Files, c, paths);
  EXPECT_EQ(std::string(paths.OutputDirectory), Files.Directory + PathSeparator);
  Files.Directory += "表";
  LoadDefaults(Files, c, paths);
  EXPECT_STREQ(paths.StartupDirectory, "");

  // A start-up directory too long to hold writes no saved state, and says so.
  Files.FailCurrentDir = true;
  LoadDefaults(Files, c, paths);
  EXPECT_STREQ(paths.StartupDirectory, "");
  // Data files go to the current directory rather than to the root of a drive.
  EXPECT_STREQ(paths.OutputDirectory, "");
  EXPECT_NE(WriteSavedState(Files, SavedStateFileName, s, paths).find("longer than 255"),
            std::string::npos);
  EXPECT_FALSE(FileExists(Folder.File(SavedStateFileName)));
}

TEST_F(ConfigFilesTest, SavedStateIsWrittenWholeIntoTheStartupFolderAndReadBack) {
  TempFolder elsewhere;
  PathTexts paths = StartedHere();
  CurrentFolder current(elsewhere.Path());
  RecordingSettings unset;
  unset.SizeIndex = -1;  // a list without a choice
  WriteSavedState(Files, SavedStateFileName, unset, paths);

  std::string expected =
      "FreqIndex   = 0\r\nSizeIndex   = -1\r\nFileNumber  = 0\r\nZeroMul     = 0\r\n"
      "CycleMode   = 0\r\nSynchroMode = 0\r\nDigitalBIT0 = 0\r\n\r\n";
  for (const char* group : {"A", "B"}) {
    for (int c = 1; c <= 16; ++c) {
      expected += "Ch" + std::string(group) + std::to_string(c) + "Index" +
                  std::string(c < 10 ? "   " : "  ") + "= 0\r\n";
    }
  }
  EXPECT_EQ(ReadBytes(Folder.File(SavedStateFileName)), expected);
  EXPECT_FALSE(FileExists(elsewhere.File(SavedStateFileName)));
  EXPECT_FALSE(FileExists(Folder.File("ZQ347Fill.sav.new")));

  RecordingSettings written = SampleSettings();
  EXPECT_EQ(WriteSavedState(Files, SavedStateFileName, written, paths), "");
  RecordingSettings read;
  ReadSavedState(Files, Folder.File(SavedStateFileName).c_str(), read);
  auto saved = [](const RecordingSettings& r) {
    return std::make_tuple(r.FreqIndex, r.SizeIndex, r.FileNumber, r.ZeroMul, r.CycleMode,
                           r.SynchroMode, r.DigitalBIT0,
                           std::vector<int32_t>(r.ChAIndex, r.ChAIndex + ChannelsPerGroup),
                           std::vector<int32_t>(r.ChBIndex, r.ChBIndex + ChannelsPerGroup));
  };
  EXPECT_EQ(saved(read), saved(written));

  // A failed save keeps the previous file and says why.
  std::string previous = ReadBytes(Folder.File(SavedStateFileName));
  FaultyFileSystem halfWay, failing, unflushed, locked;
  halfWay.WriteBudget = 200;  // the disk fills up half-way
  failing.WriteBudget = 200;
  failing.WriteFailsAtBudget = true;
  unflushed.FailFlush = true;  // written into the cache, never onto the disk
  locked.FailCreate = true;
  for (FaultyFileSystem* files : {&halfWay, &failing, &unflushed, &locked}) {
    std::string said = WriteSavedState(*files, SavedStateFileName, RecordingSettings(), paths);
    EXPECT_EQ(
        said.rfind("Your choices could not be saved in \"" + Folder.File(SavedStateFileName), 0),
        0u)
        << said;
    EXPECT_NE(said.find('\n'), std::string::npos) << said;  // with the system's reason
    EXPECT_EQ(ReadBytes(Folder.File(SavedStateFileName)), previous);
    EXPECT_FALSE(FileExists(Folder.File("ZQ347Fill.sav.new")));
  }

  // A key missing, or with an invalid value, leaves its setting as it was.
  WriteBytes(Folder.File(SavedStateFileName), "ChA10Index = 3\r\nFreqIndex = x\r\n");
  ReadSavedState(Files, Folder.File(SavedStateFileName).c_str(), read);
  written.ChAIndex[9] = 3;
  EXPECT_EQ(saved(read), saved(written));
}

}  // namespace
