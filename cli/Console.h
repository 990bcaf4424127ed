// Where a command's output goes, and its exit codes.
#pragma once

#include <ostream>
#include <string>

#include "platform/FileSystem.h"

constexpr const char* ProgramName = "zq347cli";

enum ExitCode : int {
  ExitDone = 0,
  ExitRefused = 1,       // a choice not offered, an existing file, no room, not a data file
  ExitUsage = 2,         // the command line itself is wrong
  ExitWriteFailure = 3,  // the disk failed
  ExitInterrupted = 130  // Ctrl-C, as shells report it
};

struct Console {
  std::ostream& Out;
  std::ostream& Err;
  bool Terminal = false;  // standard error is a terminal: progress bars are drawn there
  bool Json = false;      // --json: a failure is also a JSON object on standard output
};

// One line on standard error, with the program's name in front; line breaks of the
// core's message texts become blanks.
void Complain(Console& console, const std::string& text);
// Complains, and with --json prints the failure as a JSON object too; returns `code`.
int Fail(Console& console, int code, const std::string& text);

// Why a file named on the command line cannot be read whole (missing, a folder, shut
// to this user, empty); empty when it can.
std::string FileProblem(FileSystem& files, const std::string& name);
// Why a folder named on the command line cannot be used; empty when it can.
std::string FolderProblem(FileSystem& files, const std::string& name);

// `name` in `folder`; the name alone when the folder is empty.
std::string InFolder(const std::string& folder, const std::string& name);
