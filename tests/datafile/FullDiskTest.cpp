// On a real, small file system that scripts/full-disk-test.sh mounts and names in
// ZQ_FULL_DISK_DIR; skipped elsewhere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "datafile/DataFileWriter.h"
#include "tests/TestFiles.h"
#include "tests/datafile/WriterOwnerLog.h"

namespace {

class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("ZQ_FULL_DISK_DIR");
    if (folder == nullptr) {
      GTEST_SKIP() << "ZQ_FULL_DISK_DIR names no small file system";
    }
    Folder = std::string(folder) + PathSeparator;
    std::snprintf(Paths.OutputDirectory, sizeof Paths.OutputDirectory, "%s", Folder.c_str());
    Configuration.FileAutoIncrement = 1;
    Settings.ChAIndex[0] = 2;
    Count = BuildChannelList(Settings, &List);
    Writer.ComposeFileName();
  }

  std::string Folder;
  FileSystem& Files = SystemFileSystem();
  WriterOwnerLog Owner;
  ProgramConfiguration Configuration = BuiltinConfiguration();
  RecordingSettings Settings;
  PathTexts Paths;
  ChannelList List;
  int32_t Count = 0;
  DataFileWriter Writer{Files, Owner, Configuration, Settings, Paths};
};

TEST_F(FullDisk, FileLargerThanTheFreeSpaceIsRefusedUpFront) {
  Settings.SizeIndex = 11;  // 2 Ms: 4 MiB on a 1 MiB disk
  EXPECT_EQ(Writer.StartDataFile(List, Count), StartOutcome::Refused);
  ASSERT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::NoRoom});
  EXPECT_NE(Owner.Texts[0].find("needs 4194816 bytes"), std::string::npos) << Owner.Texts[0];
  EXPECT_FALSE(FileExists(Folder + "0001Dat.VDF"));
}

TEST_F(FullDisk, DiskFillingUpWhileWritingIsReported) {
  Settings.SizeIndex = 8;  // 256 Ks: 512 KiB
  ASSERT_EQ(Writer.StartDataFile(List, Count), StartOutcome::Started);
  for (int i = 0; i < 10; ++i) {
    ASSERT_FALSE(Writer.WriteNextChunk());
  }
  // Something else takes the rest of the disk meanwhile.
  std::string filler = Folder + "filler";
  FileHandle file = Files.CreateAlways(filler.c_str(), false);
  ASSERT_NE(file, InvalidFile);
  static const char block[65536] = {};
  for (int i = 0; i < 1000 && Files.Write(file, block, sizeof block) > 0; ++i) {
  }
  Files.Close(file);

  int steps = 0;
  while (!Writer.WriteNextChunk() && steps < 2000) {
    ++steps;
  }
  EXPECT_FALSE(Writer.IsWriting());
  ASSERT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::WriteFailed});
  const std::string& text = Owner.Texts[0];
  EXPECT_NE(text.find(" of 524800 bytes; the file is incomplete.\n"), std::string::npos) << text;
  std::string name = Folder + "0001Dat.VDF";
  EXPECT_LT(ReadBytes(name).size(), 524800u);
  EXPECT_GT(text.size(), text.find('\n') + 1) << "no reason given";
  EXPECT_EQ(Configuration.FileAutoIncrement, 2);
  Files.Remove(filler.c_str());
  Files.Remove(name.c_str());
}

}  // namespace
