#include "cli/ExamineCommand.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "cli/ConfigSource.h"
#include "cli/ExamineReport.h"
#include "cli/JsonText.h"
#include "cli/ProgressBar.h"
#include "cli/Terminal.h"
#include "datafile/DataFileName.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t ReadBlock = 1u << 20;
const char* const StandardInputName = "-";

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

// What --verify finds wrong with a data file, and how it counts in the summary.
void Judge(ExamineResult& result) {
  const SizeCheck& size = result.Size;
  if (result.Fill.DifferentBytes > 0) {
    result.State = FileState::Damaged;
    result.Problem = "differs from the fill word after the header";
  } else if (size.ChunkBytes > 0 && size.ExtraBytes != 0) {
    result.State = FileState::Damaged;
    result.Problem = "ends inside a chunk: " + std::to_string(size.ExtraBytes) +
                     " bytes after the last whole one";
  } else if (size.Chunks == 0) {
    result.State = FileState::Stopped;
    result.Problem = "holds no chunk after the header: it may have been stopped early";
  } else if (size.Plan < 0) {
    result.State = FileState::Stopped;
    result.Problem =
        "matches no size or duration of the configuration: it may have been stopped early";
  } else {
    result.State = FileState::Whole;
  }
}

struct Examination {
  const ExamineRequest& Request;
  FileSystem& Files;
  Console& Screen;
  const ConfigSource& Source;
};

// A file that could not be read as a data file: its report says why.
int Unreadable(const Examination& run, ExamineResult& result, int code, const std::string& text) {
  result.State = FileState::Damaged;
  result.Problem = text;
  Complain(run.Screen, text);
  if (run.Request.Json) {
    run.Screen.Out << "{\"file\":" << JsonString(result.Name) << ",\"error\":" << JsonString(text)
                   << ",\"exit_code\":" << code << "}\n";
  }
  return code;
}

std::string SystemReason(FileSystem& files) {
  char reason[256];
  files.LastErrorText(reason, sizeof reason);
  return reason;
}

int ExamineOpen(const Examination& run, FileHandle file, ExamineResult& result) {
  FileSystem& files = run.Files;
  const ProgramConfiguration& configuration = run.Source.Configuration;
  result.FileSize = files.FileSize(file);
  uint8_t header[HeaderSize] = {};
  int64_t read = ReadUpTo(files, file, header, HeaderSize);
  if (read < 0) {
    return Unreadable(run, result, ExitWriteFailure,
                      "reading " + result.Name + " failed: " + SystemReason(files));
  }
  result.Header = DecodeDataFileHeader(header, static_cast<std::size_t>(read));
  if (!result.Header.IsDataFile) {
    return Unreadable(run, result, ExitRefused,
                      result.Name + " is not a data file: " + result.Header.Problem);
  }
  result.Fill.Word = static_cast<uint16_t>(configuration.FillValue & 0xFFFF);
  // A pipe tells no size: it is known once the input ends.
  bool sizeKnown = result.FileSize >= read;
  if (run.Request.Verify || !sizeKnown) {
    ProgressBar progress(run.Screen.Err, run.Screen.Terminal && sizeKnown);
    if (!ReadFill(files, file, result.FileSize, progress, result.Fill)) {
      return Unreadable(run, result, ExitWriteFailure,
                        "reading " + result.Name + " failed: " + SystemReason(files));
    }
    result.FileSize = HeaderSize + result.Fill.CheckedBytes;
    if (!run.Request.Verify) {
      result.Fill = FillCheck{};
    }
  }
  result.Size = CheckSize(result.Header, configuration, result.FileSize);
  Judge(result);
  run.Screen.Out << (run.Request.Json ? FormatExamineJson(result, configuration)
                                      : FormatExamineText(result, configuration));
  if (run.Request.Verify && result.State != FileState::Whole) {
    Complain(run.Screen, result.Name + " " + result.Problem);
    return ExitRefused;
  }
  return ExitDone;
}

int ExamineFile(const Examination& run, const std::string& name, ExamineResult& result) {
  result.Name = name;
  bool input = name == StandardInputName;
  if (!input && run.Files.IsFolder(name.c_str())) {
    return Unreadable(run, result, ExitRefused, name + " is a folder, not a data file");
  }
  FileHandle file = input ? StandardInput() : run.Files.OpenForReading(name.c_str());
  if (file == InvalidFile) {
    return Unreadable(run, result, ExitRefused,
                      "cannot open " + name + ": " + SystemReason(run.Files));
  }
  int code = ExamineOpen(run, file, result);
  if (!input) {
    run.Files.Close(file);
  }
  return code;
}

bool IsDataFileName(const fs::path& path) {
  std::string extension = path.extension().u8string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension == DataFileExtension;
}

// The data files of a folder, by name; false when it cannot be listed.
bool DataFilesIn(const std::string& folder, std::vector<std::string>& names) {
  std::error_code error;
  fs::directory_iterator entries(fs::u8path(folder), error);
  if (error) {
    return false;
  }
  std::vector<std::string> found;
  for (const fs::directory_entry& entry : entries) {
    if (entry.is_regular_file(error) && IsDataFileName(entry.path())) {
      found.push_back(entry.path().u8string());
    }
  }
  std::sort(found.begin(), found.end());
  names.insert(names.end(), found.begin(), found.end());
  return true;
}

std::string Count(int32_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

int RunExamineCommand(const ExamineRequest& request, FileSystem& files, Console& console) {
  ConfigSource source;
  if (int code = LoadConfigSource(files, console, request, source); code != ExitDone) {
    return code;
  }
  // A folder that gives nothing is one failed entry; the others are still reported.
  int worst = ExitDone;
  std::vector<std::string> names;
  for (const std::string& path : request.Paths) {
    if (path == StandardInputName || !files.IsFolder(path.c_str())) {
      names.push_back(path);
      continue;
    }
    std::size_t before = names.size();
    if (!DataFilesIn(path, names)) {
      worst = Fail(console, ExitRefused, "the folder " + path + " cannot be listed");
    } else if (names.size() == before) {
      worst = Fail(console, ExitRefused, "the folder " + path + " holds no data file");
    }
  }
  if (names.empty()) {
    return worst;
  }

  if (!request.Json) {
    console.Out << "Compared with " << source.Description << "\n";
  }
  Examination run{request, files, console, source};
  int32_t counts[3] = {};
  for (const std::string& name : names) {
    if (!request.Json) {
      console.Out << "\n";
    }
    ExamineResult result;
    worst = std::max(worst, ExamineFile(run, name, result));
    ++counts[static_cast<int>(result.State)];
  }
  int32_t whole = counts[static_cast<int>(FileState::Whole)];
  int32_t stopped = counts[static_cast<int>(FileState::Stopped)];
  int32_t damaged = counts[static_cast<int>(FileState::Damaged)];
  if (request.Json) {
    console.Out << "{\"summary\":{\"files\":" << names.size() << ",\"whole\":" << whole
                << ",\"stopped_early\":" << stopped << ",\"damaged\":" << damaged
                << "},\"configuration\":"
                << (source.File.empty() ? "null" : JsonString(source.File))
                << ",\"exit_code\":" << worst << "}\n";
  } else {
    console.Out << "\n"
                << Count(static_cast<int32_t>(names.size()), "file", "files") << ": " << whole
                << " whole, " << stopped << " stopped early, " << damaged << " damaged\n";
  }
  return worst;
}
