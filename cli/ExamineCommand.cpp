#include "cli/ExamineCommand.h"

#include <cstring>
#include <vector>

#include "cli/ExamineReport.h"
#include "cli/ProgressBar.h"
#include "config/ConfigFiles.h"

namespace {

constexpr uint32_t ReadBlock = 1u << 20;

// Reads until `size` bytes are in or the input ends; a pipe hands over what it has
// in pieces. -1 on failure.
int64_t ReadUpTo(FileSystem& files, FileHandle file, uint8_t* buffer, uint32_t size) {
  uint32_t done = 0;
  while (done < size) {
    int64_t read = files.Read(file, buffer + done, size - done);
    if (read < 0) {
      return -1;
    }
    if (read == 0) {
      break;
    }
    done += static_cast<uint32_t>(read);
  }
  return done;
}

// Reads everything after the header and compares it with the fill word, in large
// reads, up to the end of the input whatever size was known beforehand.
bool ReadFill(FileSystem& files, FileHandle file, int64_t fileSize, ProgressBar& progress,
              FillCheck& fill) {
  std::vector<uint8_t> data(ReadBlock);
  // One byte longer, so that a block starting on the high byte compares too.
  std::vector<uint8_t> pattern(ReadBlock + 1);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    pattern[i] = static_cast<uint8_t>(i % 2 == 0 ? fill.Word : fill.Word >> 8);
  }
  progress.Start(fileSize);
  int64_t offset = HeaderSize;
  for (;;) {
    int64_t read = files.Read(file, data.data(), ReadBlock);
    if (read < 0) {
      progress.Clear();
      return false;
    }
    if (read == 0) {
      break;
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

int ReadFailed(FileSystem& files, Console& console, const std::string& name) {
  char reason[256];
  files.LastErrorText(reason, sizeof reason);
  Complain(console, "reading " + name + " failed: " + reason);
  return ExitWriteFailure;
}

// Why --verify finds the file's length wrong; empty when it holds whole chunks.
std::string LengthProblem(const ExamineResult& result) {
  const SizeCheck& size = result.Size;
  if (size.ChunkBytes > 0 && size.ExtraBytes != 0) {
    return " ends inside a chunk: " + std::to_string(size.ExtraBytes) +
           " bytes after the last whole one";
  }
  return size.Chunks == 0 ? " holds no chunk after the header" : std::string();
}

int Examine(const ExamineRequest& request, FileSystem& files, Console& console, FileHandle file) {
  ExamineResult result;
  result.Name = request.File;
  result.FileSize = files.FileSize(file);
  uint8_t header[HeaderSize] = {};
  int64_t read = ReadUpTo(files, file, header, HeaderSize);
  if (read < 0) {
    return ReadFailed(files, console, request.File);
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
  result.Fill.Word = static_cast<uint16_t>(configuration.FillValue & 0xFFFF);
  // A pipe tells no size: it is known once the input ends.
  bool sizeKnown = result.FileSize >= read;
  if (request.Verify || !sizeKnown) {
    ProgressBar progress(console.Err, console.Terminal && sizeKnown);
    if (!ReadFill(files, file, result.FileSize, progress, result.Fill)) {
      return ReadFailed(files, console, request.File);
    }
    result.FileSize = HeaderSize + result.Fill.CheckedBytes;
    if (!request.Verify) {
      result.Fill = FillCheck{};
    }
  }
  result.Size = CheckSize(result.Header, configuration, result.FileSize);

  console.Out << (request.Json ? FormatExamineJson(result, configuration)
                               : FormatExamineText(result, configuration));
  if (result.Fill.DifferentBytes > 0) {
    Complain(console, request.File + " differs from the fill word after the header");
    return ExitRefused;
  }
  std::string problem = request.Verify ? LengthProblem(result) : std::string();
  if (!problem.empty()) {
    Complain(console, request.File + problem);
    return ExitRefused;
  }
  return ExitDone;
}

}  // namespace

int RunExamineCommand(const ExamineRequest& request, FileSystem& files, Console& console) {
  std::string problem =
      request.ConfigFile.empty() ? std::string() : FileProblem(files, request.ConfigFile);
  if (problem.empty() && files.IsFolder(request.File.c_str())) {
    problem = request.File + " is a folder, not a data file";
  }
  if (!problem.empty()) {
    Complain(console, problem);
    return ExitRefused;
  }
  FileHandle file = files.OpenForReading(request.File.c_str());
  if (file == InvalidFile) {
    char reason[256];
    files.LastErrorText(reason, sizeof reason);
    Complain(console, "cannot open " + request.File + ": " + reason);
    return ExitRefused;
  }
  int code = Examine(request, files, console, file);
  files.Close(file);
  return code;
}
