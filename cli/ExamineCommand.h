// `inspect`: what the logger will record into data files, and with --verify whether
// each holds a planned number of whole chunks of nothing but the fill word.
#pragma once

#include <string>
#include <vector>

#include "cli/ConfigSource.h"
#include "cli/Console.h"
#include "platform/FileSystem.h"

// The configuration gives the labels, sizes and fill word to compare with.
struct ExamineRequest : ConfigRequest {
  std::vector<std::string> Paths;  // files, folders (every data file in them), "-" for stdin
  bool Verify = false;
};

// Without a configuration file named, ZQ347Fill.cfg of the settings folder (or of the
// current one) is read when it is there, else the built-in text; none is ever created.
// A pipe is read to its end. One report per file, then a summary; returns the worst
// ExitCode of the files: 1 for one that cannot be opened or is not a data file, and with
// `Verify` for one whose fill differs, that ends inside a chunk or matches no plan.
int RunExamineCommand(const ExamineRequest& request, FileSystem& files, Console& console);
