// The fill's thread: notices of flushed chunks, pieces that keep their floor, errors.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "datafile/DataFileWriter.h"
#include "tests/TestFiles.h"
#include "tests/datafile/WriterOwnerLog.h"

namespace {

// Notes the writes and what each flush left on the disk; flushes can be made slow and
// writes can throw.
class FillLog : public FaultyFileSystem {
 public:
  int64_t Write(FileHandle file, const void* data, uint32_t size) override {
    if (Throw) {
      throw std::bad_alloc();
    }
    return FaultyFileSystem::Write(file, data, size);
  }
  bool Flush(FileHandle file) override {
    std::this_thread::sleep_for(FlushCost);
    ++Flushes;
    OnDisk = FileSize(file);
    return FaultyFileSystem::Flush(file);
  }
  void* AllocatePages(std::size_t bytes) override {
    Allocated = bytes;
    return FaultyFileSystem::AllocatePages(bytes);
  }
  std::atomic<int> Flushes{0};
  std::atomic<int64_t> OnDisk{0};
  std::chrono::milliseconds FlushCost{0};
  bool Throw = false;
  std::size_t Allocated = 0;
};

// Every notice must show chunks a flush already put on the disk.
class CheckingOwner : public WriterOwnerLog {
 public:
  explicit CheckingOwner(FillLog& files) : Files(files) {}
  void WriterProgress(uint32_t total, uint32_t done) override {
    WriterOwnerLog::WriterProgress(total, done);
    if (total > 0) {
      EXPECT_LE(done > 0 ? 512 + int64_t{done} * ChunkBytes : 0, Files.OnDisk.load());
    }
  }
  FillLog& Files;
  int64_t ChunkBytes = 0;
};

struct Choices {
  int SizeIndex;
  bool Minutes;  // SizeIndex is a position in the duration list
  double Rate;
  int Channels;
  bool Synchro;
};

struct Outcome {
  std::vector<std::string> Events;
  std::vector<std::string> Texts;
  std::string Bytes;
  std::size_t BufferBytes = 0;
  int Flushes = 0;
};

// Writes one file in a folder of its own.
Outcome WriteFile(const Choices& choices, FillLog& files) {
  TempFolder folder;
  CheckingOwner owner(files);
  ProgramConfiguration configuration = BuiltinConfiguration();
  configuration.FileAutoIncrement = 1;
  RecordingSettings settings;
  PathTexts paths;
  std::snprintf(paths.OutputDirectory, sizeof paths.OutputDirectory, "%s",
                folder.WithSeparator().c_str());
  DataFileWriter writer(files, owner, configuration, settings, paths);
  writer.ComposeFileName();
  settings.SizeIndex = choices.SizeIndex + (choices.Minutes ? configuration.SizeCount : 0);
  settings.SampleRate = choices.Rate;
  settings.SynchroMode = choices.Synchro ? 1 : 0;
  for (int c = 0; c < choices.Channels; ++c) {
    settings.ChAIndex[c] = 2;
    settings.ChBIndex[c] = 3;
  }
  owner.ChunkBytes = choices.Channels * (choices.Synchro ? 1024 : 512);
  ChannelList list;
  int32_t count = BuildChannelList(settings, &list);
  EXPECT_EQ(writer.StartDataFile(list, count), StartOutcome::Started);
  while (!writer.WriteInBackground()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  Outcome outcome;
  outcome.Events = owner.Events;
  outcome.Texts = owner.Texts;
  outcome.Bytes = ReadBytes(folder.File("0001Dat.VDF"));
  outcome.BufferBytes = files.Allocated;
  outcome.Flushes = files.Flushes;
  return outcome;
}

}  // namespace

TEST(FillRun, NoticesComeEveryPeriodOnceOnTheDiskAndTheBufferStaysSmall) {
  const struct {
    Choices File;
    uint32_t Total;
    uint32_t Period;
    std::size_t BufferBytes;
  } cases[] = {
      {{0, false, 100000.0, 1, false}, 4, 1, 1024 * 1024},       // a notice at every chunk
      {{0, true, 10000.0, 1, false}, 2420, 9, 1024 * 1024},      // 1 minute
      {{9, false, 100000.0, 16, true}, 2048, 8, 1024 * 1024},    // chunks of 16 KiB
      {{10, false, 100000.0, 3, false}, 4096, 16, 682u * 1536},  // not a power of two
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Total);
    FillLog files;
    Outcome outcome = WriteFile(c.File, files);
    std::vector<std::string> expected = {"progress 0 0"};
    std::string total = "progress " + std::to_string(c.Total) + " ";
    for (uint32_t done = 0; done < c.Total; done += c.Period) {
      expected.push_back(total + std::to_string(done));
    }
    for (const char* end : {"", "stopped", "progress 0 0"}) {
      expected.push_back(end[0] == '\0' ? total + std::to_string(c.Total) : end);
    }
    EXPECT_EQ(outcome.Events, expected);
    uint32_t chunkBytes = c.File.Channels * (c.File.Synchro ? 1024 : 512);
    ASSERT_EQ(outcome.Bytes.size(), 512u + c.Total * chunkBytes);
    EXPECT_EQ(outcome.Bytes.find_first_not_of('\xFF', 512), std::string::npos);
    EXPECT_EQ(outcome.BufferBytes, c.BufferBytes);
  }
}

// A card whose every flush costs more than its data: the pieces keep their floor and
// grow, where pieces sized by the flush alone shrank to single chunks.
TEST(FillRun, SlowFlushesDoNotShrinkThePieces) {
  FillLog files;
  files.FlushCost = std::chrono::milliseconds(20);
  Outcome outcome = WriteFile({12, false, 100000.0, 1, false}, files);  // 8 MiB
  EXPECT_EQ(outcome.Bytes.size(), 512u + 16384 * 512);
  EXPECT_LE(outcome.Flushes, 8);  // 256 KiB, then twice as much each time, and the close
}

TEST(FillRun, AnExceptionOnTheThreadIsAFailedWrite) {
  FillLog files;
  files.Throw = true;
  Outcome failed = WriteFile({0, false, 100000.0, 1, false}, files);
  EXPECT_EQ(failed.Events.back(), "failed");
  ASSERT_EQ(failed.Texts.size(), 1u);
  EXPECT_NE(failed.Texts[0].find("stopped after 0 of 2560 bytes"), std::string::npos);
  EXPECT_NE(failed.Texts[0].find("The fill stopped on an error: std::bad_alloc"), std::string::npos)
      << failed.Texts[0];
  EXPECT_EQ(failed.Bytes, "");
}
