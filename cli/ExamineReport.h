// What `inspect` prints about a data file, as text or as one JSON object.
#pragma once

#include <cstdint>
#include <string>

#include "config/ProgramConfiguration.h"
#include "datafile/DataFileSize.h"
#include "datafile/HeaderDecoder.h"

struct FillCheck {
  bool Done = false;  // --verify was asked for and the data was read
  uint16_t Word = 0xFFFF;
  int64_t CheckedBytes = 0;
  int64_t DifferentBytes = 0;
  int64_t FirstDifference = -1;  // file offset
};

// How a file counts in the summary.
enum class FileState { Whole, Stopped, Damaged };

struct ExamineResult {
  std::string Name;
  FileState State = FileState::Damaged;
  std::string Problem;  // why it is not whole
  int64_t FileSize = 0;
  DecodedHeader Header;
  SizeCheck Size;
  FillCheck Fill;
};

std::string FormatExamineText(const ExamineResult& result,
                              const ProgramConfiguration& configuration);
std::string FormatExamineJson(const ExamineResult& result,
                              const ProgramConfiguration& configuration);
