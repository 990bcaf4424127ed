// Several chunks with one write call, and the fill on a thread of its own: the file and
// the progress notices must be the same as with one chunk per call.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "datafile/DataFileWriter.h"
#include "tests/TestFiles.h"
#include "tests/datafile/WriterOwnerLog.h"

namespace {

// Notes the size of every write call.
class WriteLog : public FaultyFileSystem {
 public:
  int64_t Write(FileHandle file, const void* data, uint32_t size) override {
    Sizes.push_back(size);
    return FaultyFileSystem::Write(file, data, size);
  }
  void* AllocatePages(std::size_t bytes) override {
    Allocated = bytes;
    return FaultyFileSystem::AllocatePages(bytes);
  }
  std::vector<uint32_t> Sizes;
  std::size_t Allocated = 0;
};

struct Choices {
  int SizeIndex;
  bool Minutes;  // SizeIndex is a position in the duration list
  double Rate;
  int Channels;
  bool Synchro;
};

enum class Step { Single, Runs, Background };

struct Outcome {
  std::vector<std::string> Events;
  std::string Bytes;
  std::vector<uint32_t> WriteSizes;
  std::size_t BufferBytes = 0;
  int Steps = 0;
};

bool Next(DataFileWriter& writer, Step step) {
  switch (step) {
    case Step::Single:
      return writer.WriteNextChunk();
    case Step::Runs:
      return writer.WriteNextChunks();
    case Step::Background:
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return writer.WriteInBackground();
  }
  return true;
}

struct Faults {
  int64_t Budget = -1;  // bytes the disk takes; -1: all
  bool FailFlush = false;
  int StopAfter = -1;  // steps before the file is stopped; -1: never
};

// Writes one file with the given step, in a folder of its own.
Outcome WriteFile(const Choices& choices, Step step, Faults faults = {}) {
  TempFolder folder;
  WriteLog files;
  files.WriteBudget = faults.Budget;
  files.FailFlush = faults.FailFlush;
  WriterOwnerLog owner;
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
  ChannelList list;
  int32_t count = BuildChannelList(settings, &list);
  Outcome outcome;
  if (step == Step::Background) {
    writer.FillOnOwnThread();
  }
  EXPECT_EQ(writer.StartDataFile(list, count), StartOutcome::Started);
  while (!Next(writer, step)) {
    if (++outcome.Steps == faults.StopAfter) {
      writer.StopDataFile();
    }
  }
  writer.StopDataFile();  // as the dialog closes: nothing more to tell but "stopped"
  outcome.Events = owner.Events;
  outcome.Bytes = ReadBytes(folder.File("0001Dat.VDF"));
  outcome.WriteSizes.assign(files.Sizes.begin() + 1, files.Sizes.end());  // not the header
  outcome.BufferBytes = files.Allocated;
  return outcome;
}

uint32_t Largest(const std::vector<uint32_t>& sizes) {
  return sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
}

}  // namespace

TEST(FillRun, SameFileAndNoticesAsOneChunkPerCall) {
  const Choices cases[] = {
      {0, false, 100000.0, 1, false},   // 4 chunks: a notice at every chunk
      {0, true, 10000.0, 1, false},     // 1 minute, 2420 chunks: a notice every 9th
      {9, false, 100000.0, 16, true},   // 2048 chunks of 16 KiB: every 8th
      {10, false, 100000.0, 3, false},  // chunks of 1536 bytes, not a power of two
  };
  for (const Choices& choices : cases) {
    SCOPED_TRACE(testing::Message() << choices.SizeIndex << " " << choices.Channels);
    Outcome single = WriteFile(choices, Step::Single);
    Outcome run = WriteFile(choices, Step::Runs);
    Outcome background = WriteFile(choices, Step::Background);
    EXPECT_EQ(run.Events, single.Events);
    EXPECT_EQ(background.Events, single.Events);
    ASSERT_EQ(run.Bytes.size(), single.Bytes.size());
    EXPECT_TRUE(run.Bytes == single.Bytes);
    EXPECT_TRUE(background.Bytes == single.Bytes);
  }
}

TEST(FillRun, RunsStopAtEveryNoticeAndTheBufferStaysSmall) {
  // 2420 chunks of 512 bytes, a notice every 9th: runs of at most 9, which a flush of
  // the bytes written so far may cut shorter.
  Outcome minute = WriteFile({0, true, 10000.0, 1, false}, Step::Runs);
  ASSERT_GE(minute.WriteSizes.size(), 269u);
  EXPECT_EQ(minute.WriteSizes.front(), 9u * 512);
  EXPECT_EQ(Largest(minute.WriteSizes), 9u * 512);

  // The buffer holds whole chunks, at most 1 MiB, whatever the size of the file.
  Outcome one = WriteFile({0, false, 100000.0, 1, false}, Step::Runs);
  EXPECT_EQ(one.BufferBytes, 1024u * 1024);
  Outcome three = WriteFile({0, false, 100000.0, 3, false}, Step::Runs);
  EXPECT_EQ(three.BufferBytes, 682u * 1536);
  Outcome sixteen = WriteFile({9, false, 100000.0, 16, true}, Step::Runs);
  EXPECT_EQ(sixteen.BufferBytes, 1024u * 1024);
  EXPECT_EQ(Largest(sixteen.WriteSizes), 8u * 16384);
}

TEST(FillRun, AFailedRunEndsTheFileLikeAFailedChunk) {
  // The disk takes the header, then 5000 bytes: the run of 9 chunks is cut short.
  Choices minute = {0, true, 10000.0, 1, false};
  for (Step step : {Step::Runs, Step::Background}) {
    Outcome run = WriteFile(minute, step, {512 + 5000});
    EXPECT_EQ(run.Bytes.size(), 512u + 5000);
    ASSERT_GE(run.Events.size(), 5u);
    EXPECT_EQ(run.Events[run.Events.size() - 4], "stopped");
    EXPECT_EQ(run.Events[run.Events.size() - 3], "progress 0 0");
    EXPECT_EQ(run.Events[run.Events.size() - 2], "failed");
    EXPECT_EQ(run.Events.back(), "stopped");  // and told once
    EXPECT_EQ(run.Events[1], "progress 2420 0");
  }
}

TEST(FillRun, TheFillsThreadEndsWhereTheFileIsStoppedOrFails) {
  Choices large = {9, false, 100000.0, 16, true};  // 2048 chunks of 16 KiB
  Outcome stopped = WriteFile(large, Step::Background, {-1, false, 2});
  ASSERT_GE(stopped.Events.size(), 3u);
  EXPECT_EQ(stopped.Events[stopped.Events.size() - 2], "stopped");
  EXPECT_NE(stopped.Events[stopped.Events.size() - 3], "progress 2048 2048");
  EXPECT_EQ((stopped.Bytes.size() - 512) % 16384, 0u);
  EXPECT_LT(stopped.Bytes.size(), 512u + 2048 * 16384);

  // A flush that fails ends the file as a failed write does.
  Outcome unflushed = WriteFile(large, Step::Background, {-1, true});
  ASSERT_GE(unflushed.Events.size(), 4u);
  EXPECT_EQ(unflushed.Events[unflushed.Events.size() - 4], "stopped");
  EXPECT_EQ(unflushed.Events[unflushed.Events.size() - 2], "failed");
  EXPECT_EQ(std::count(unflushed.Events.begin(), unflushed.Events.end(), "failed"), 1);
}
