// On a real, small file system that scripts/full-disk-test.sh mounts and names in
// ZQ_FULL_DISK_DIR; skipped elsewhere. A disk that fills up while a file is written is
// the card tests' part.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "datafile/DataFileWriter.h"
#include "tests/TestFiles.h"
#include "tests/datafile/WriterOwnerLog.h"

namespace {

// The space asked for is that of the folder's own file system, not of its drive's root.
TEST(FullDisk, FileLargerThanTheFreeSpaceIsRefusedUpFront) {
  const char* disk = std::getenv("ZQ_FULL_DISK_DIR");
  if (disk == nullptr) {
    GTEST_SKIP() << "ZQ_FULL_DISK_DIR names no small file system";
  }
  std::string folder = std::string(disk) + PathSeparator;
  WriterOwnerLog owner;
  ProgramConfiguration configuration = BuiltinConfiguration();
  RecordingSettings settings;
  settings.ChAIndex[0] = 2;
  settings.SizeIndex = 11;  // 2 Ms: 4 MiB on a 1 MiB disk
  PathTexts paths;
  std::snprintf(paths.OutputDirectory, sizeof paths.OutputDirectory, "%s", folder.c_str());
  ChannelList list;
  int32_t count = BuildChannelList(settings, &list);
  DataFileWriter writer(SystemFileSystem(), owner, configuration, settings, paths);
  writer.ComposeFileName();
  EXPECT_EQ(writer.StartDataFile(list, count), StartOutcome::Refused);
  ASSERT_EQ(owner.Failures, std::vector<WriterFailure>{WriterFailure::NoRoom});
  EXPECT_NE(owner.Texts[0].find("needs 4194816 bytes"), std::string::npos) << owner.Texts[0];
  EXPECT_FALSE(FileExists(folder + "0001Dat.VDF"));
}

}  // namespace
