// Feeds arbitrary bytes to the data file header reader as `inspect` does, and formats
// everything it prints, for every file size the bytes could come with.
#include <cstddef>
#include <cstdint>

#include "cli/ExamineReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const ProgramConfiguration configuration;
  ExamineResult result;
  result.Name = "fuzz.VDF";
  result.Header = DecodeDataFileHeader(data, size);
  if (!result.Header.IsDataFile) {
    return 0;
  }
  // The bytes after the header stand for the file's size.
  uint64_t extra = 0;
  for (std::size_t i = 512; i < size && i < 520; ++i) {
    extra = extra << 8 | data[i];
  }
  result.FileSize = static_cast<int64_t>(512 + (extra >> 2));
  result.Size = CheckSize(result.Header, configuration, result.FileSize);
  result.Fill.Done = (extra & 1) != 0;
  result.Fill.DifferentBytes = static_cast<int64_t>(extra & 2);
  FormatExamineText(result, configuration);
  FormatExamineJson(result, configuration);
  return 0;
}
