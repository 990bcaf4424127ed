#include "cli/ExamineCommand.h"

#include <cstring>
#include <vector>

#include "cli/ExamineReport.h"
#include "cli/ProgressBar.h"
#include "config/ConfigFiles.h"

namespace {

constexpr uint32_t ReadBlock = 1u << 20;

// Compares everything after the header with the fill word, in large reads.
bool VerifyFill(FileSystem& files, FileHandle file, int64_t fileSize, Console& console,
                FillCheck& fill) {
  std::vector<uint8_t> data(ReadBlock);
  // One byte longer, so that a block starting on the high byte compares too.
  std::vector<uint8_t> pattern(ReadBlock + 1);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    pattern[i] = static_cast<uint8_t>(i % 2 == 0 ? fill.Word : fill.Word >> 8);
  }
  ProgressBar progress(console.Err, console.Terminal);
  progress.Start(fileSize);
  int64_t offset = HeaderSize;
  while (offset < fileSize) {
    int64_t read = files.Read(file, data.data(), ReadBlock);
    if (read < 0) {
      progress.Clear();
      return false;
    }
    if (read == 0) {
      break;  // the file shrank meanwhile
    }
    std::size_t phase = static_cast<std::size_t>((offset - HeaderSize) % 2);
    std::size_t length = static_cast<std::size_t>(read);
    if (std::memcmp(data.data(), pattern.data() + phase, length) != 0) {
      for (std::size_t i = 0; i < length; ++i) {
        if (data[i] != pattern[phase + i]) {
          if (fill.FirstDifference < 0) {
            fill.FirstDifference = offset + static_cast<int64_t>(i);
          }
          ++fill.DifferentBytes;
        }
      }
    }
    offset += read;
    progress.Update(offset);
  }
  progress.Clear();
  fill.CheckedBytes = offset - HeaderSize;
  fill.Done = true;
  return true;
}

int Examine(const ExamineRequest& request, FileSystem& files, Console& console, FileHandle file) {
  ExamineResult result;
  result.Name = request.File;
  result.FileSize = files.FileSize(file);
  uint8_t header[HeaderSize] = {};
  int64_t read = files.Read(file, header, HeaderSize);
  if (read < 0) {
    char reason[256];
    files.LastErrorText(reason, sizeof reason);
    Complain(console, "cannot read " + request.File + ": " + reason);
    return ExitWriteFailure;
  }
  result.Header = DecodeDataFileHeader(header, static_cast<std::size_t>(read));
  if (!result.Header.IsDataFile) {
    Complain(console, request.File + " is not a data file: " + result.Header.Problem);
    return ExitRefused;
  }

  ProgramConfiguration configuration;
  const char* configName =
      request.ConfigFile.empty() ? ConfigurationFileName : request.ConfigFile.c_str();
  ReadConfiguration(files, configName, configuration);
  result.Size = CheckSize(result.Header, configuration, result.FileSize);
  result.Fill.Word = static_cast<uint16_t>(configuration.FillValue & 0xFFFF);
  if (request.Verify && !VerifyFill(files, file, result.FileSize, console, result.Fill)) {
    char reason[256];
    files.LastErrorText(reason, sizeof reason);
    Complain(console, "reading " + request.File + " failed: " + reason);
    return ExitWriteFailure;
  }

  console.Out << (request.Json ? FormatExamineJson(result, configuration)
                               : FormatExamineText(result, configuration));
  if (result.Fill.DifferentBytes > 0) {
    Complain(console, request.File + " differs from the fill word after the header");
    return ExitRefused;
  }
  return ExitDone;
}

}  // namespace

int RunExamineCommand(const ExamineRequest& request, FileSystem& files, Console& console) {
  if (!request.ConfigFile.empty() && !files.Exists(request.ConfigFile.c_str())) {
    Complain(console, "there is no configuration file " + request.ConfigFile);
    return ExitUsage;
  }
  FileHandle file = files.OpenForReading(request.File.c_str());
  if (file == InvalidFile) {
    char reason[256];
    files.LastErrorText(reason, sizeof reason);
    Complain(console, "cannot open " + request.File + ": " + reason);
    return ExitUsage;
  }
  int code = Examine(request, files, console, file);
  files.Close(file);
  return code;
}
