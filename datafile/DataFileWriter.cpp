#include "datafile/DataFileWriter.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string>
#include <system_error>

#include "common/Utf8.h"
#include "datafile/DataFileHeader.h"
#include "datafile/DataFileName.h"
#include "datafile/DataFileSize.h"

namespace {

constexpr uint32_t ProgressSteps = 256;
constexpr int32_t LastAutoNumber = 999;
constexpr int64_t MaxFatFileSize = 0xFFFFFFFFll;
// Large writes fill a disk at nearly its full speed; small ones pay the call each time.
constexpr int32_t FillRunBytes = 1024 * 1024;
// The bytes go to the disk as the file fills, so that the progress shown is the disk's
// and a slow card never holds a write for long: the writer flushes whenever the bytes
// written since the last flush would take the disk about FlushSeconds, at the speed
// the last flush showed. The first piece is one a slow card takes in a few ms.
constexpr double FlushSeconds = 0.008;
constexpr int64_t FirstFlushBytes = 64 * 1024;
constexpr int64_t MaxFlushBytes = 64 * 1024 * 1024;
constexpr std::size_t MessageSize = 2048;  // room for a full name and a system reason

uint8_t ModeFlags(const RecordingSettings& settings) {
  uint8_t flags = 0;
  if (settings.DigitalBIT0 != 0) {
    flags |= DigitalBit0Flag;
  }
  if (settings.ZeroMul != 0) {
    flags |= ZeroMulFlag;
  }
  if (settings.SynchroMode != 0) {
    flags |= SynchroModeFlag;
  }
  if (settings.CycleMode != 0) {
    flags |= CycleModeFlag;
  }
  return flags;
}

}  // namespace

DataFileWriter::DataFileWriter(FileSystem& files, WriterOwner& owner,
                               ProgramConfiguration& configuration,
                               const RecordingSettings& settings, PathTexts& paths)
    : Files(files),
      Owner(owner),
      Configuration(configuration),
      Settings(settings),
      Paths(paths),
      Buffer(files) {}

DataFileWriter::~DataFileWriter() {
  EndFill();
  if (File != InvalidFile) {
    Files.Close(File);
  }
}

void DataFileWriter::ComposeFileName() {
  int64_t number = int64_t{Settings.FileNumber} + Configuration.FileAutoIncrement;
  char digits[32];
  std::snprintf(digits, sizeof digits, "0%03" PRId64, number);
  std::string path = std::string(Paths.OutputDirectory) + digits + Configuration.File;
  ComposedLength = static_cast<int32_t>(Utf16Units(path.c_str(), path.size()));
  // A name that does not fit is refused when a file is started.
  std::size_t fitting = FitUtf8(path.c_str(), path.size(), sizeof Paths.OutputPath - 1);
  path.copy(Paths.OutputPath, fitting);
  Paths.OutputPath[fitting] = '\0';
  // Cut like OutputPath when too long; StartDataFile refuses such a name.
  if (std::snprintf(FullName, sizeof FullName, "%s%s", Paths.OutputPath, DataFileExtension) < 0) {
    FullName[0] = '\0';
  }
}

StartOutcome DataFileWriter::StartDataFile(const ChannelList& list, int32_t count) {
  // A message box of the writer lets the dialog run; a second start must not take
  // over the file that is open.
  if (count <= 0 || IsWriting()) {
    return StartOutcome::NotStarted;
  }
  char message[MessageSize];
  // OutputPath was cut when the composed name did not fit; the name must not be.
  int32_t nameLength = ComposedLength + static_cast<int32_t>(sizeof DataFileExtension) - 1;
  if (nameLength > NameUnits || std::snprintf(FullName, sizeof FullName, "%s%s", Paths.OutputPath,
                                              DataFileExtension) >= NameSize) {
    std::snprintf(message, sizeof message,
                  "The name of the data file would have %d characters, but at most %d are "
                  "possible.\nChoose a shorter folder or file name.",
                  nameLength, NameUnits);
    Owner.WriterFailed(WriterFailure::NameTooLong, message);
    return StartOutcome::Refused;
  }

  uint32_t total = PlannedChunks(Settings, Configuration);
  uint32_t chunkBytes = BytesPerChunk(Settings.ChannelCount, Settings.SynchroMode != 0);
  int32_t chunkWords = static_cast<int32_t>(chunkBytes / 2);
  int64_t plannedSize = DataFileBytes(total, chunkBytes);

  bool exists = Files.Exists(FullName);
  if (!HasRoom(plannedSize, exists)) {
    return StartOutcome::Refused;
  }
  if (exists) {
    if (Files.IsReadOnly(FullName)) {
      std::snprintf(message, sizeof message,
                    "The %s file already exists and has the READ ONLY attribute! \nDelete a file?",
                    FullName);
    } else {
      std::snprintf(message, sizeof message, "The %s file already exists. Delete a file?",
                    FullName);
    }
    if (!Owner.ConfirmReplace(message)) {
      Owner.WriterFailed(WriterFailure::ReplaceRefused, "");
      return StartOutcome::Refused;
    }
    Files.SetArchiveOnly(FullName);
  }

  int32_t chunks = FillRunBytes / (chunkWords * 2) > 1 ? FillRunBytes / (chunkWords * 2) : 1;
  if (!Buffer.Obtain(chunkWords * chunks)) {
    return StartOutcome::NotStarted;
  }
  Buffer.Fill(static_cast<uint16_t>(Configuration.FillValue & 0xFFFF));

  FileHandle file = Files.CreateAlways(FullName, false);
  if (file == InvalidFile) {
    char reason[ReasonSize];
    Files.LastErrorText(reason, sizeof reason);
    std::snprintf(message, sizeof message, "The %s file cannot be created.\n%s", FullName, reason);
    Owner.WriterFailed(WriterFailure::CannotCreate, message);
    return StartOutcome::Refused;
  }
  File = file;
  Total = total;
  Written = 0;
  ChunkBytes = chunkBytes;
  BufferChunks = static_cast<uint32_t>(chunks);
  Flushed = 0;
  FlushBytes = FirstFlushBytes;

  int64_t written = 0;
  if (WriteDataFileHeader(Files, File, Settings.ChannelCount, Configuration.ADCRange, &list,
                          Settings.SampleRate, ModeFlags(Settings), &written) != 1) {
    NoteFailedWrite(written);
    EndIncomplete();
    return StartOutcome::Refused;
  }
  Unflushed = HeaderSize;

  RefreshPeriod = Total / ProgressSteps > 0 ? Total / ProgressSteps : 1;
  NextNotice = 0;
  Owner.WriterProgress(0, 0);
  if (OwnThread) {
    StartFill();  // the disk is busy while the owner disables its controls
  }
  return StartOutcome::Started;
}

bool DataFileWriter::WriteNextChunk() {
  return WriteChunks(1);
}

bool DataFileWriter::WriteNextChunks() {
  return WriteChunks(BufferChunks);
}

bool DataFileWriter::WriteChunks(uint32_t limit) {
  if (File == InvalidFile || Total == 0 || Buffer.Length() == 0) {
    return true;
  }
  if (Written == Total) {
    Owner.WriterProgress(Total, Total);
    EndFile();
    return true;
  }
  uint32_t before = Written;
  if (!WritePiece(limit)) {
    EndIncomplete();
    return true;
  }
  if (before % RefreshPeriod == 0) {
    Owner.WriterProgress(Total, before);
  }
  if (Unflushed >= FlushBytes && !FlushPiece()) {
    EndIncomplete();
    return true;
  }
  return false;
}

// One write of at most `limit` chunks, never past the next progress notice nor the next
// flush. False, with the failure noted, when the disk did not take it all.
bool DataFileWriter::WritePiece(uint32_t limit) {
  uint32_t count = Total - Written;
  uint32_t toNotice = RefreshPeriod - Written % RefreshPeriod;
  count = count < toNotice ? count : toNotice;
  count = count < limit ? count : limit;
  int64_t room = (FlushBytes - Unflushed) / ChunkBytes;
  if (room < int64_t{count}) {
    count = room > 1 ? static_cast<uint32_t>(room) : 1;
  }
  uint32_t bytes = count * ChunkBytes;
  int64_t written = Files.Write(File, Buffer.Data(), bytes);
  if (written != int64_t{bytes}) {
    NoteFailedWrite(written);
    return false;
  }
  Written += count;
  Unflushed += bytes;
  return true;
}

// Flushes what was written since the last flush and sizes the next piece to the speed
// the disk showed. A failed flush is noted as a failed write.
bool DataFileWriter::FlushPiece() {
  using Clock = std::chrono::steady_clock;
  Clock::time_point start = Clock::now();
  if (!Files.Flush(File)) {
    Files.LastErrorText(FailureReason, sizeof FailureReason);
    FailedOnDisk = Flushed;
    return false;
  }
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  double fitting = seconds > 0 ? static_cast<double>(Unflushed) * FlushSeconds / seconds
                               : static_cast<double>(MaxFlushBytes);
  // Grows slowly, as one quick flush may only mean the system had written ahead.
  int64_t next = fitting < 2.0 * FlushBytes ? static_cast<int64_t>(fitting) : 2 * FlushBytes;
  int64_t least = ChunkBytes;
  FlushBytes = next < least ? least : next > MaxFlushBytes ? MaxFlushBytes : next;
  Flushed += Unflushed;
  Unflushed = 0;
  return true;
}

// A write into the cache of a slow card can be held back for seconds, and a flush waits
// for the card: on the owner's thread either would freeze the window. So the fill's own
// thread writes and flushes piece by piece, touching only the file and the counters,
// until the file is complete, a write fails or StopDataFile asks it to end.
void DataFileWriter::Fill() {
  while (!StopFilling) {
    bool complete = Written == Total;
    if ((!complete && !WritePiece(BufferChunks)) ||
        ((complete || Unflushed >= FlushBytes) && !FlushPiece())) {
      FillFailed = true;
      break;
    }
    if (Unflushed == 0) {
      OnDisk = Written.load();
    }
    if (complete) {
      break;
    }
  }
  FillEnded = true;
}

// False when no thread can be had.
bool DataFileWriter::StartFill() {
  StopFilling = false;
  FillEnded = false;
  FillFailed = false;
  OnDisk = Written.load();
  try {
    Filler = std::thread(&DataFileWriter::Fill, this);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

bool DataFileWriter::WriteInBackground() {
  if (File == InvalidFile || Total == 0 || Buffer.Length() == 0) {
    return true;
  }
  if (!Filler.joinable() && !StartFill()) {
    return WriteChunks(BufferChunks);  // no thread to be had: the fill goes on in steps
  }
  uint32_t onDisk = OnDisk;
  for (; NextNotice < Total && NextNotice <= onDisk; NextNotice += RefreshPeriod) {
    Owner.WriterProgress(Total, NextNotice);
  }
  if (!FillEnded) {
    return false;
  }
  if (EndFill()) {
    EndIncomplete();
  } else {
    Owner.WriterProgress(Total, Total);
    EndFile();
  }
  return true;
}

// Asks the fill's thread to end after its piece and waits for it; a slow card takes a
// piece in a few milliseconds. True when the thread ended on a failure, which the caller
// is to report.
bool DataFileWriter::EndFill() {
  if (!Filler.joinable()) {
    return false;
  }
  StopFilling = true;
  Filler.join();
  return FillFailed;
}

void DataFileWriter::StopDataFile() {
  if (EndFill()) {
    EndIncomplete();
    return;
  }
  char message[MessageSize];
  if (!CloseFile(message, sizeof message)) {
    Owner.WriterFailed(WriterFailure::WriteFailed, message);
  }
}

// Flushes and closes the open file, advances the number and says so. False, with the
// message in `message`, when the flush failed.
bool DataFileWriter::CloseFile(char* message, std::size_t size) {
  bool flushed = true;
  if (File != InvalidFile) {
    flushed = Files.Flush(File);
    if (!flushed && message != nullptr) {
      char reason[ReasonSize];
      Files.LastErrorText(reason, sizeof reason);
      FormatIncomplete(message, size, Flushed, reason);
    }
    Files.Close(File);
    File = InvalidFile;
    int32_t& number = Configuration.FileAutoIncrement;
    if (number != 0) {
      number = number >= LastAutoNumber ? 1 : number + 1;
    }
  }
  Total = 0;
  Written = 0;
  RefreshPeriod = 1;
  Owner.WriterStopped();
  return flushed;
}

// Checks up front what would otherwise fail after minutes of writing. A file about to
// be replaced gives its space back.
bool DataFileWriter::HasRoom(int64_t plannedSize, bool replacing) {
  char message[MessageSize];
  int64_t available = Files.FreeSpace(Paths.OutputDirectory);
  if (available >= 0) {
    int64_t replaced = replacing ? Files.SizeOf(FullName) : 0;
    if (replaced > 0) {
      available += replaced;
    }
    if (plannedSize > available) {
      std::snprintf(message, sizeof message,
                    "The %s file needs %" PRId64 " bytes, but its disk has only %" PRId64
                    " bytes free.\nChoose a smaller size or time, or another disk.",
                    FullName, plannedSize, available);
      Owner.WriterFailed(WriterFailure::NoRoom, message);
      return false;
    }
  }
  if (plannedSize > MaxFatFileSize && Files.IsFatVolume(Paths.OutputDirectory)) {
    std::snprintf(message, sizeof message,
                  "The %s file needs %" PRId64
                  " bytes, but the FAT file system of its disk "
                  "holds files of at most %" PRId64
                  " bytes.\nChoose a smaller size or time, or another disk.",
                  FullName, plannedSize, MaxFatFileSize);
    Owner.WriterFailed(WriterFailure::TooLargeForFat, message);
    return false;
  }
  return true;
}

void DataFileWriter::FormatIncomplete(char* message, std::size_t size, int64_t onDisk,
                                      const char* reason) {
  int64_t planned = DataFileBytes(Total, ChunkBytes);
  std::snprintf(message, size,
                "Writing the %s file stopped after %" PRId64 " of %" PRId64
                " bytes; the file is incomplete.\n%s",
                FullName, onDisk < 0 ? 0 : onDisk, planned, reason);
}

// `written` is what the failed write call returned: -1 for an error, else the short count.
void DataFileWriter::NoteFailedWrite(int64_t written) {
  if (written < 0) {
    Files.LastErrorText(FailureReason, sizeof FailureReason);  // before another call
  } else {
    std::snprintf(FailureReason, sizeof FailureReason,
                  "The disk took only part of the data; it may be full.");
  }
  FailedOnDisk = Files.FileSize(File);
}

// Ends the file after the failure noted last.
void DataFileWriter::EndIncomplete() {
  char message[MessageSize];
  FormatIncomplete(message, sizeof message, FailedOnDisk, FailureReason);
  CloseFile(nullptr, 0);  // this failure is the one to report
  ComposeFileName();
  Owner.WriterProgress(0, 0);
  Owner.WriterFailed(WriterFailure::WriteFailed, message);
}

// Flushes and closes the complete file, prepares the next name and returns the status
// line to the disk; a flush that fails makes it a failed write.
void DataFileWriter::EndFile() {
  char message[MessageSize];
  bool flushed = CloseFile(message, sizeof message);
  ComposeFileName();
  Owner.WriterProgress(0, 0);
  if (!flushed) {
    Owner.WriterFailed(WriterFailure::WriteFailed, message);
  }
}
