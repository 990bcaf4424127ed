// Names, creates and fills a data file: the header sector, then chunks of the fill
// word, in steps or on a thread of its own, until the size the recording needs.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
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
  // (0, 0) at the start and at the end of a file, (total, done) every refresh period,
  // and (total, total) once a complete file is written, before it is closed.
  virtual void WriterProgress(uint32_t total, uint32_t done) = 0;
  // Sent by every StopDataFile, once the file's bytes are on the disk.
  virtual void WriterStopped() = 0;
  // Asks before an existing file is replaced; true to replace it.
  virtual bool ConfirmReplace(const char* question) = 0;
  // A failure with the text that tells the user about it; empty when the user
  // already knows (a refused replacement).
  virtual void WriterFailed(WriterFailure kind, const char* text) = 0;

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
  // `count` is the number of enabled A channels that built `list`.
  StartOutcome StartDataFile(const ChannelList& list, int32_t count);
  // One step of the fill: false when a chunk was written, true when there was nothing
  // to write or the file has just been ended.
  bool WriteNextChunk();
  // The same step, writing with one call as many chunks as the fill buffer holds, but
  // never past the next progress notice: the notices and the bytes stay the same.
  bool WriteNextChunks();
  // From now on a file starts to fill on a thread of its own as soon as it is created;
  // the owner then calls WriteInBackground, never the steps above.
  void FillOnOwnThread() { OwnThread = true; }
  // The step of a fill that runs on a thread of its own, which it starts if need be:
  // passes on to
  // the owner the notices of what is on the disk, and ends the file once the thread is
  // done. The owner hears everything on the caller's thread, and the same notices as
  // from the steps above. True when there is nothing to write.
  bool WriteInBackground();
  // Flushes and closes the file where it stands; a flush that fails is reported.
  void StopDataFile();

  bool IsWriting() const { return File != InvalidFile; }
  uint32_t TotalChunks() const { return Total; }
  uint32_t ChunksWritten() const { return Written; }

 private:
  bool WriteChunks(uint32_t limit);
  bool WritePiece(uint32_t limit);
  bool FlushPiece();
  bool StartFill();
  void Fill();
  bool EndFill();
  bool CloseFile(char* message, std::size_t size);
  bool HasRoom(int64_t plannedSize, bool replacing);
  void FormatIncomplete(char* message, std::size_t size, int64_t onDisk, const char* reason);
  void NoteFailedWrite(int64_t written);
  void EndIncomplete();
  void EndFile();

  static constexpr std::size_t ReasonSize = 512;

  FileSystem& Files;
  WriterOwner& Owner;
  ProgramConfiguration& Configuration;
  const RecordingSettings& Settings;
  PathTexts& Paths;
  FillBuffer Buffer;
  FileHandle File = InvalidFile;
  uint32_t Total = 0;
  std::atomic<uint32_t> Written{0};  // the fill's thread writes it, the owner's reads it
  uint32_t RefreshPeriod = 1;
  uint32_t ChunkBytes = 0;
  uint32_t BufferChunks = 0;   // the fill buffer holds this many chunks
  int64_t Flushed = 0;         // bytes known to be on the disk
  int64_t Unflushed = 0;       // bytes written since the last flush
  int64_t FlushBytes = 0;      // flushed once this many bytes wait
  int32_t ComposedLength = 0;  // UTF-16 units of the whole composed path, even when cut
  char FullName[NameSize] = {};
  // Why the last write or flush failed, taken on the thread that failed, and how much
  // of the file is known to be on the disk.
  char FailureReason[ReasonSize] = {};
  int64_t FailedOnDisk = 0;

  bool OwnThread = false;
  std::thread Filler;
  std::atomic<bool> StopFilling{false};
  std::atomic<bool> FillEnded{false};
  std::atomic<uint32_t> OnDisk{0};  // chunks the thread has flushed
  bool FillFailed = false;          // read once the thread has ended
  uint32_t NextNotice = 0;
};
