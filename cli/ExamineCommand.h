// `inspect`: what the logger will record into a data file, and with --verify whether
// the space after the header holds nothing but the fill word.
#pragma once

#include <string>

#include "cli/Console.h"
#include "platform/FileSystem.h"

struct ExamineRequest {
  std::string File;
  std::string ConfigFile;  // for the labels, sizes and fill word; empty: see below
  bool Verify = false;
  bool Json = false;
};

// Without a configuration file named, "ZQ347Fill.cfg" of the current folder is read
// when it is there (never created); else the built-in values apply. A pipe is read to
// its end. Returns an ExitCode: 1 for a file that cannot be opened or is not a data
// file, and with `Verify` for one whose fill differs, that ends inside a chunk or holds none.
int RunExamineCommand(const ExamineRequest& request, FileSystem& files, Console& console);
