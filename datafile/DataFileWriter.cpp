#include "datafile/DataFileWriter.h"

#include <cinttypes>
#include <cstdio>
#include <string>

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
      Buffer(files),
      Fill(files) {}

DataFileWriter::~DataFileWriter() {
  Fill.Stop();
  Fill.Join();
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
    char reason[FillOutcome::ReasonSize];
    Files.LastErrorText(reason, sizeof reason);
    std::snprintf(message, sizeof message, "The %s file cannot be created.\n%s", FullName, reason);
    Owner.WriterFailed(WriterFailure::CannotCreate, message);
    return StartOutcome::Refused;
  }
  File = file;
  Total = total;
  ChunkBytes = chunkBytes;
  RefreshPeriod = Total / ProgressSteps > 0 ? Total / ProgressSteps : 1;
  NextNotice = 0;
  Shown = 0;
  Owner.WriterProgress(0, 0);

  FillJob job;
  job.File = File;
  job.Header = BuildDataFileHeader(Settings.ChannelCount, Configuration.ADCRange, list,
                                   Settings.SampleRate, ModeFlags(Settings));
  job.Buffer = Buffer.Data();
  job.BufferChunks = static_cast<uint32_t>(chunks);
  job.ChunkBytes = ChunkBytes;
  job.Total = Total;
  job.Advanced = [this] { Owner.FillAdvanced(); };
  if (!Fill.Start(job)) {
    EndIncomplete(0, Fill.Join().Reason);
    return StartOutcome::Refused;
  }
  return StartOutcome::Started;
}

bool DataFileWriter::WriteInBackground() {
  if (File == InvalidFile) {
    return true;
  }
  // Ended first: a fill seen ended has every chunk it put on the disk in OnDisk.
  bool ended = Fill.Ended();
  uint32_t onDisk = Fill.OnDisk();
  for (; NextNotice < Total && NextNotice <= onDisk; NextNotice += RefreshPeriod) {
    Shown = static_cast<uint32_t>(NextNotice);
    Owner.WriterProgress(Total, Shown);
  }
  if (!ended) {
    return false;
  }
  const FillOutcome& outcome = Fill.Join();
  if (outcome.Failed) {
    EndIncomplete(outcome.Flushed, outcome.Reason);
    return true;
  }
  Shown = Total;
  Owner.WriterProgress(Total, Total);
  if (!FlushedBeforeClose(outcome.Flushed)) {
    return true;
  }
  CloseFile();
  ComposeFileName();
  Owner.WriterProgress(0, 0);
  return true;
}

void DataFileWriter::StopDataFile() {
  Fill.Stop();
  const FillOutcome& outcome = Fill.Join();
  if (File != InvalidFile) {
    if (outcome.Failed) {
      EndIncomplete(outcome.Flushed, outcome.Reason);
      return;
    }
    if (!FlushedBeforeClose(outcome.Flushed)) {
      return;
    }
  }
  CloseFile();
}

// The last flush before the close; when it fails, the file ends as incomplete with
// `flushed` bytes known to be on the disk.
bool DataFileWriter::FlushedBeforeClose(int64_t flushed) {
  if (Files.Flush(File)) {
    return true;
  }
  char reason[FillOutcome::ReasonSize];
  Files.LastErrorText(reason, sizeof reason);
  EndIncomplete(flushed, reason);
  return false;
}

// Closes the file, advances the number and says so.
void DataFileWriter::CloseFile() {
  if (File != InvalidFile) {
    Files.Close(File);
    File = InvalidFile;
    int32_t& number = Configuration.FileAutoIncrement;
    if (number != 0) {
      number = number >= LastAutoNumber ? 1 : number + 1;
    }
  }
  Total = 0;
  Shown = 0;
  RefreshPeriod = 1;
  Owner.WriterStopped();
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

// Cuts a file that ends on a failure back to the header and whole chunks, so that it
// reads as one stopped early; the bytes then known to be on the disk.
int64_t DataFileWriter::CutBack(int64_t flushed) {
  int64_t size = Files.FileSize(File);
  if (size < 0) {
    return flushed;
  }
  int64_t whole = size < HeaderSize ? 0 : size - (size - HeaderSize) % ChunkBytes;
  if ((whole == size || Files.SetFileSize(File, whole)) && Files.Flush(File)) {
    return whole;
  }
  return flushed < whole ? flushed : whole;
}

// Ends the file after a failure with the system's reason for it.
void DataFileWriter::EndIncomplete(int64_t flushed, const char* reason) {
  char message[MessageSize];
  FormatIncomplete(message, sizeof message, CutBack(flushed), reason);
  CloseFile();
  ComposeFileName();
  Owner.WriterProgress(0, 0);
  Owner.WriterFailed(WriterFailure::WriteFailed, message);
}
