#include "datafile/DataFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/Utf8.h"
#include "datafile/DataFileHeader.h"
#include "tests/TestFiles.h"
#include "tests/datafile/WriterOwnerLog.h"

namespace {

// Notes among the owner's notices the data file's calls made on the owner's thread,
// when told where.
class CallLog : public FaultyFileSystem {
 public:
  bool Flush(FileHandle file) override {
    Note("flush");
    return FaultyFileSystem::Flush(file);
  }
  void Close(FileHandle file) override {
    Note("close");
    FaultyFileSystem::Close(file);
  }
  void Note(const char* call) {
    if (Events != nullptr && std::this_thread::get_id() == Owner) {
      Events->push_back(call);
    }
  }
  std::vector<std::string>* Events = nullptr;
  std::thread::id Owner = std::this_thread::get_id();
};

class DataFileWriterTest : public ::testing::Test {
 protected:
  DataFileWriterTest() {
    Configuration.FileAutoIncrement = 1;
    std::snprintf(Paths.OutputDirectory, sizeof Paths.OutputDirectory, "%s",
                  Folder.WithSeparator().c_str());
    Writer.ComposeFileName();
  }

  // Enables A channels 1..n and returns what StartDataFile returns.
  StartOutcome Start(int channels) {
    for (int c = 0; c < ChannelsPerGroup; ++c) {
      Settings.ChAIndex[c] = c < channels ? 2 : 0;
    }
    int32_t count = BuildChannelList(Settings, &List);
    return Writer.StartDataFile(List, count);
  }

  // Passes on the fill's notices until the file has ended.
  void RunToEnd() {
    while (!Writer.WriteInBackground()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  std::string Name(const char* file) const { return Folder.File(file); }

  TempFolder Folder;
  CallLog Files;
  WriterOwnerLog Owner;
  ProgramConfiguration Configuration = BuiltinConfiguration();
  RecordingSettings Settings;
  PathTexts Paths;
  ChannelList List;
  DataFileWriter Writer{Files, Owner, Configuration, Settings, Paths};
};

TEST_F(DataFileWriterTest, CompleteFileOfTwoChannels) {
  Settings.SizeIndex = 0;  // 1 Ks: 4 chunks
  ASSERT_EQ(Start(2), StartOutcome::Started);
  EXPECT_EQ(Writer.TotalChunks(), 4u);
  RunToEnd();
  EXPECT_FALSE(Writer.IsWriting());
  EXPECT_EQ(Owner.Events, (std::vector<std::string>{"progress 0 0", "progress 4 0", "progress 4 1",
                                                    "progress 4 2", "progress 4 3", "progress 4 4",
                                                    "stopped", "progress 0 0"}));

  std::string bytes = ReadBytes(Name("0001Dat.VDF"));
  ASSERT_EQ(bytes.size(), 4608u);
  DataFileHeader header = BuildDataFileHeader(2, 10.0, List, Settings.SampleRate, 0);
  EXPECT_EQ(bytes.substr(0, 512), std::string(reinterpret_cast<char*>(header.Bytes), 512));
  EXPECT_EQ(bytes.substr(512), std::string(4096, '\xFF'));
  EXPECT_EQ(Configuration.FileAutoIncrement, 2);
  EXPECT_EQ(std::string(Paths.OutputPath), Name("0002Dat"));
  EXPECT_TRUE(Writer.WriteInBackground());  // nothing more to do, and nothing to tell
  EXPECT_EQ(Owner.Events.size(), 8u);
}

TEST_F(DataFileWriterTest, FillWordIsTheLow16BitsLittleEndian) {
  const std::pair<int32_t, std::string> cases[] = {
      {0, std::string(2, '\0')}, {0x1FFFF, "\xFF\xFF"}, {0x1234, "\x34\x12"}};
  for (const auto& [fill, word] : cases) {
    Configuration.FillValue = fill;
    Settings.SizeIndex = 0;
    std::string name = std::string(Paths.OutputPath) + ".VDF";
    ASSERT_EQ(Start(1), StartOutcome::Started);
    RunToEnd();
    std::string expected;
    for (int i = 0; i < 4 * 256; ++i) {
      expected += word;
    }
    EXPECT_EQ(ReadBytes(name).substr(512), expected) << fill;
  }
  // Three files of the same chunk size share one buffer.
  EXPECT_EQ(Files.Allocations, 1);
}

TEST_F(DataFileWriterTest, AutomaticNumberWrapsFrom999To1AndOffStaysOff) {
  Configuration.FileAutoIncrement = 999;
  Writer.ComposeFileName();
  Settings.SizeIndex = 0;
  ASSERT_EQ(Start(1), StartOutcome::Started);
  RunToEnd();
  EXPECT_TRUE(FileExists(Name("0999Dat.VDF")));
  EXPECT_EQ(Configuration.FileAutoIncrement, 1);
  EXPECT_EQ(std::string(Paths.OutputPath), Name("0001Dat"));

  Configuration.FileAutoIncrement = 0;
  Settings.FileNumber = 4;
  Writer.ComposeFileName();
  ASSERT_EQ(Start(1), StartOutcome::Started);
  RunToEnd();
  EXPECT_TRUE(FileExists(Name("0004Dat.VDF")));
  EXPECT_EQ(Configuration.FileAutoIncrement, 0);
  EXPECT_EQ(std::string(Paths.OutputPath), Name("0004Dat"));

  Settings.FileNumber = 999;  // at least three digits, and more when needed
  Configuration.FileAutoIncrement = 1;
  Writer.ComposeFileName();
  EXPECT_EQ(std::string(Paths.OutputPath), Name("01000Dat"));
}

TEST_F(DataFileWriterTest, FileIsOnTheDiskBeforeItIsClosedAndReported) {
  Settings.SizeIndex = 0;
  ASSERT_EQ(Start(1), StartOutcome::Started);
  Files.Events = &Owner.Events;
  RunToEnd();
  std::vector<std::string> last(Owner.Events.end() - 5, Owner.Events.end());
  EXPECT_EQ(last, (std::vector<std::string>{"progress 4 4", "flush", "close", "stopped",
                                            "progress 0 0"}));

  // Stopped by the user: the whole chunks written so far stay, and the number advances.
  Settings.SizeIndex = 10;  // 1 Ms: 4096 chunks
  ASSERT_EQ(Start(1), StartOutcome::Started);
  Owner.Events.clear();
  Writer.StopDataFile();
  Writer.ComposeFileName();
  EXPECT_EQ(Owner.Events, (std::vector<std::string>{"flush", "close", "stopped"}));
  int64_t size = FileSizeOf(Name("0002Dat.VDF"));
  EXPECT_EQ((size - 512) % 512, 0);
  EXPECT_LE(size, 512 + 4096 * 512);
  EXPECT_EQ(std::string(Paths.OutputPath), Name("0003Dat"));
}

TEST_F(DataFileWriterTest, FlushThatFailsIsAFailedWrite) {
  Files.FailFlush = true;
  Settings.SizeIndex = 0;
  std::string incomplete = "Writing the " + Name("0001Dat.VDF") +
                           " file stopped after 0 of 2560 bytes; the file is incomplete.\n" +
                           FaultyFileSystem::Reason;
  ASSERT_EQ(Start(1), StartOutcome::Started);
  RunToEnd();
  EXPECT_EQ(Owner.Events.back(), "failed");
  EXPECT_EQ(Owner.Failures.at(0), WriterFailure::WriteFailed);
  EXPECT_EQ(Owner.Texts.at(0), incomplete);
  EXPECT_EQ(std::string(Paths.OutputPath), Name("0002Dat"));

  ASSERT_EQ(Start(1), StartOutcome::Started);  // stopped by the user
  Writer.StopDataFile();
  Writer.ComposeFileName();
  EXPECT_EQ(Owner.Events.back(), "failed");
  EXPECT_EQ(Owner.Texts.size(), 2u);
}

TEST_F(DataFileWriterTest, NothingStartsWithoutAChannelOrABuffer) {
  EXPECT_EQ(Start(0), StartOutcome::NotStarted);
  Files.FailAllocate = true;
  EXPECT_EQ(Start(1), StartOutcome::NotStarted);
  EXPECT_FALSE(FileExists(Name("0001Dat.VDF")));
  EXPECT_TRUE(Owner.Events.empty());
  EXPECT_EQ(Writer.TotalChunks(), 0u);
}

TEST_F(DataFileWriterTest, ChunkCountIsAtLeastOneAndAtMost0xFFFFFFFF) {
  Files.Free = int64_t{1} << 62;
  Settings.SizeIndex = 1000;  // neither a size nor a time
  ASSERT_EQ(Start(1), StartOutcome::Started);
  EXPECT_EQ(Writer.TotalChunks(), 1u);
  EXPECT_EQ(Start(1), StartOutcome::NotStarted);  // one file at a time
  Writer.StopDataFile();
  Writer.ComposeFileName();

  Settings.SizeIndex = Configuration.SizeCount;  // 1 minute at an absurd rate
  Settings.SampleRate = 1e12;
  ASSERT_EQ(Start(1), StartOutcome::Started);
  EXPECT_EQ(Writer.TotalChunks(), 0xFFFFFFFFu);
}

// The question names the file; a read-only file is said to be one, and loses the
// attribute when replaced.
TEST_F(DataFileWriterTest, ExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
  std::string name = Name("0001Dat.VDF");
  WriteBytes(name, "keep me");
  Settings.SizeIndex = 0;
  EXPECT_EQ(Start(1), StartOutcome::Refused);
  EXPECT_EQ(ReadBytes(name), "keep me");
  EXPECT_EQ(Owner.Texts,
            (std::vector<std::string>{"The " + name + " file already exists. Delete a file?", ""}));
  EXPECT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::ReplaceRefused});

  std::filesystem::permissions(name, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ASSERT_TRUE(Files.IsReadOnly(name.c_str()));
  Owner.Replace = true;
  ASSERT_EQ(Start(1), StartOutcome::Started);
  EXPECT_EQ(Owner.Texts.back(), "The " + name +
                                    " file already exists and has the READ ONLY attribute! "
                                    "\nDelete a file?");
  RunToEnd();
  EXPECT_FALSE(Files.IsReadOnly(name.c_str()));
  EXPECT_EQ(ReadBytes(name).size(), 512u + 4 * 512);
}

TEST_F(DataFileWriterTest, FileThatCannotBeCreatedIsReported) {
  Files.FailCreate = true;
  Settings.SizeIndex = 0;
  EXPECT_EQ(Start(1), StartOutcome::Refused);
  EXPECT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::CannotCreate});
  EXPECT_EQ(Owner.Texts.at(0),
            "The " + Name("0001Dat.VDF") + " file cannot be created.\n" + FaultyFileSystem::Reason);
  EXPECT_FALSE(Writer.IsWriting());
  EXPECT_EQ(Writer.TotalChunks(), 0u);
  EXPECT_EQ(Configuration.FileAutoIncrement, 1);
}

// The system's reason (a short write is followed by the rest to learn it); the file cut
// back to the header and whole chunks, and the number said what is on the disk.
TEST_F(DataFileWriterTest, FailedWriteEndsTheFileOnAWholeChunkAndSaysWhy) {
  const std::string full = "The disk took none of the data; it may be full.";
  const struct {
    int64_t Budget;
    bool Fails;
    bool Full;
    int64_t OnDisk;
  } cases[] = {{100, false, false, 0},
               {512 + 512 + 100, false, false, 1024},
               {512 + 512 + 100, true, false, 512},
               {512 + 512 + 100, false, true, 1024}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Budget);
    Owner = WriterOwnerLog();
    Settings.SizeIndex = 0;
    Files.WriteBudget = c.Budget;
    Files.WriteFailsAtBudget = c.Fails;
    Files.FullAtBudget = c.Full;
    std::string name = std::string(Paths.OutputPath) + ".VDF";
    int32_t number = Configuration.FileAutoIncrement;
    ASSERT_EQ(Start(1), StartOutcome::Started);
    RunToEnd();
    EXPECT_FALSE(Writer.IsWriting());
    EXPECT_EQ(FileSizeOf(name), c.OnDisk);
    EXPECT_EQ(Owner.Texts.at(0), "Writing the " + name + " file stopped after " +
                                     std::to_string(c.OnDisk) +
                                     " of 2560 bytes; the file is incomplete.\n" +
                                     (c.Full ? full : FaultyFileSystem::Reason));
    EXPECT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::WriteFailed});
    EXPECT_EQ(Owner.Events, (std::vector<std::string>{"progress 0 0", "progress 4 0", "stopped",
                                                      "progress 0 0", "failed"}));
    EXPECT_EQ(Configuration.FileAutoIncrement, number + 1);
    Files.WriteBudget = -1;
  }
}

TEST_F(DataFileWriterTest, TooLittleFreeSpaceIsRefusedBeforeAsking) {
  Settings.SizeIndex = 0;  // 2560 bytes for one channel
  WriteBytes(Name("0001Dat.VDF"), std::string(1000, 'x'));
  Files.Free = 1000;
  EXPECT_EQ(Start(1), StartOutcome::Refused);
  EXPECT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::NoRoom});
  EXPECT_EQ(Owner.Texts, std::vector<std::string>{
                             "The " + Name("0001Dat.VDF") +
                             " file needs 2560 bytes, but its disk has only 2000 bytes free.\n"
                             "Choose a smaller size or time, or another disk."});
  EXPECT_EQ(ReadBytes(Name("0001Dat.VDF")), std::string(1000, 'x'));
  Files.Free = 0;  // a full disk, not one that cannot say
  EXPECT_EQ(Start(1), StartOutcome::Refused);
  EXPECT_EQ(Owner.Failures.back(), WriterFailure::NoRoom);

  // The file being replaced gives its space back.
  Files.Free = 1560;
  Owner.Replace = true;
  EXPECT_EQ(Start(1), StartOutcome::Started);
}

TEST_F(DataFileWriterTest, FatDisksHoldNoFileOf4GiB) {
  Files.Free = int64_t{1} << 50;
  Files.FatVolume = true;
  Settings.SizeIndex = 19;  // 512 Ms: 2097152 chunks
  EXPECT_EQ(Start(4), StartOutcome::Refused);
  EXPECT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::TooLargeForFat});
  EXPECT_EQ(Owner.Texts.at(0),
            "The " + Name("0001Dat.VDF") +
                " file needs 4294967808 bytes, but the FAT file system of its disk holds files "
                "of at most 4294967295 bytes.\nChoose a smaller size or time, or another disk.");
  Settings.SizeIndex = 18;  // half of it fits
  EXPECT_EQ(Start(4), StartOutcome::Started);
}

// Names are counted as Windows counts them, in UTF-16 units, not in UTF-8 bytes.
TEST_F(DataFileWriterTest, NameLongerThanItsFieldIsRefused) {
  std::string folder = Folder.WithSeparator();
  for (std::size_t i = Folder.Path().size(); i < 247; ++i) {
    folder += "д";
  }
  std::snprintf(Paths.OutputDirectory, sizeof Paths.OutputDirectory, "%s", folder.c_str());
  Writer.ComposeFileName();  // 248 + "0001Dat" = 255: fits, but not with ".VDF"
  Settings.SizeIndex = 0;
  EXPECT_EQ(Start(1), StartOutcome::Refused);
  EXPECT_EQ(Owner.Failures, std::vector<WriterFailure>{WriterFailure::NameTooLong});
  EXPECT_EQ(Owner.Texts.at(0),
            "The name of the data file would have 259 characters, but at most 255 are possible.\n"
            "Choose a shorter folder or file name.");
  folder.resize(folder.size() - 8);  // 255 with ".VDF": fits, in a folder that does not exist
  std::snprintf(Paths.OutputDirectory, sizeof Paths.OutputDirectory, "%s", folder.c_str());
  Writer.ComposeFileName();
  EXPECT_EQ(Start(1), StartOutcome::Refused);
  EXPECT_EQ(Owner.Failures.back(), WriterFailure::CannotCreate);

  std::snprintf(Configuration.File, sizeof Configuration.File, "%s", std::string(255, 'f').c_str());
  Writer.ComposeFileName();
  std::size_t length = std::strlen(Paths.OutputPath);
  EXPECT_LT(length, std::size_t{NameSize});  // cut, never past the field
  EXPECT_TRUE(IsUtf8(Paths.OutputPath, length));
  EXPECT_EQ(Start(1), StartOutcome::Refused);
  EXPECT_EQ(Owner.Failures.back(), WriterFailure::NameTooLong);
}

}  // namespace
