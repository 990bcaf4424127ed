// Runs the commands in this process and keeps what they print.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "cli/WriteCommand.h"
#include "platform/FileSystem.h"

struct CliRun {
  int Code;
  std::string Out;
  std::string Err;
};

extern const std::atomic<bool> NeverStop;

CliRun RunWrite(const WriteRequest& request, FileSystem& files = SystemFileSystem(),
                const std::atomic<bool>& stop = NeverStop);
// The whole command line, options parsed as the program parses them.
CliRun RunArguments(const std::vector<std::string>& arguments);
