// Names, creates and fills a data file: the header sector, then chunks of the fill
// word, on a thread of its own, until the size the recording needs.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "datafile/FileFill.h"
#include "datafile/FillBuffer.h"
#include "platform/FileSystem.h"
#include "recording/RecordingSettings.h"

enum class StartOutcome {
  Started,
  Refused,     // the user kept an existing file, or the file cannot be made
  NotStarted,  // no enabled A channel or no fill buffer: nothing was touched
};

// Why a data file was not started or ended early.
enum class WriterFailure {
  ReplaceRefused,  // the user kept the existing file
  NameTooLong,
  NoRoom,
  TooLargeForFat,
  CannotCreate,
  WriteFailed,  // the header or a chunk; the file ends where it stands
};

// What the writer needs from its owner, the main dialog.
class WriterOwner {
 public:
  // (0, 0) at the start and at the end of a file, (total, done) every refresh period
  // once a flush has put `done` chunks on the disk, and (total, total) once a complete
  // file is on the disk, before it is closed.
  virtual void WriterProgress(uint32_t total, uint32_t done) = 0;
  // Sent by every StopDataFile, once the file's bytes are on the disk.
  virtual void WriterStopped() = 0;
  // Asks before an existing file is replaced; true to replace it.
  virtual bool ConfirmReplace(const char* question) = 0;
  // A failure with the text that tells the user about it; empty when the user
  // already knows (a refused replacement).
  virtual void WriterFailed(WriterFailure kind, const char* text) = 0;
  // Called on the fill's thread when more of the file is on the disk or the fill has
  // ended: the owner is to call WriteInBackground soon on its own thread.
  virtual void FillAdvanced() {}

 protected:
  ~WriterOwner() = default;
};

class DataFileWriter {
 public:
  DataFileWriter(FileSystem& files, WriterOwner& owner, ProgramConfiguration& configuration,
                 const RecordingSettings& settings, PathTexts& paths);
  ~DataFileWriter();
  DataFileWriter(const DataFileWriter&) = delete;
  DataFileWriter& operator=(const DataFileWriter&) = delete;

  // OutputPath = OutputDirectory + "0" + the file number in at least three digits + File;
  // FileName() is that with the extension.
  void ComposeFileName();
  const char* FileName() const { return FullName; }
  // `count` is the number of enabled A channels that built `list`. A file that is
  // started fills on a thread of its own.
  StartOutcome StartDataFile(const ChannelList& list, int32_t count);
  // Passes on to the owner the notices of what the fill has on the disk, and ends the
  // file once the fill has ended; the owner hears everything on the caller's thread.
  // True when no file fills any more.
  bool WriteInBackground();
  // Ends the fill after its current write, then flushes and closes the file where it
  // stands; a flush that fails is reported.
  void StopDataFile();

  bool IsWriting() const { return File != InvalidFile; }
  uint32_t TotalChunks() const { return Total; }
  // The chunks the last progress notice showed on the disk.
  uint32_t ChunksOnDisk() const { return Shown; }

 private:
  bool HasRoom(int64_t plannedSize, bool replacing);
  void FormatIncomplete(char* message, std::size_t size, int64_t onDisk, const char* reason);
  bool FlushedBeforeClose(int64_t flushed);
  int64_t CutBack(int64_t flushed);
  void EndIncomplete(int64_t flushed, const char* reason);
  void CloseFile();

  FileSystem& Files;
  WriterOwner& Owner;
  ProgramConfiguration& Configuration;
  const RecordingSettings& Settings;
  PathTexts& Paths;
  FillBuffer Buffer;
  FileFill Fill;
  FileHandle File = InvalidFile;  // the fill's alone while it runs
  uint32_t Total = 0;
  uint32_t ChunkBytes = 0;
  uint32_t RefreshPeriod = 1;
  uint64_t NextNotice = 0;  // wide: a last period may pass 0xFFFFFFFF
  uint32_t Shown = 0;
  int32_t ComposedLength = 0;  // UTF-16 units of the whole composed path, even when cut
  char FullName[NameSize] = {};
};
