// `write`: one data file, exactly as the dialog writes it for the same choices.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/Console.h"
#include "platform/FileSystem.h"

struct WriteRequest {
  std::string SettingsFolder;  // home of ZQ347Fill.cfg and ZQ347Fill.sav; empty: current
  std::string ConfigFile;      // read instead of the folder's ZQ347Fill.cfg, never created
  bool IgnoreSavedState = false;
  std::string TargetFolder;            // empty: the settings folder
  std::string BaseName;                // empty: File of the configuration
  std::string Rate;                    // a label or a rate in Hz
  int32_t RatePosition = 0;            // 1 for the first offered rate; 0: not given
  std::string Size;                    // a label or samples per channel
  std::string Duration;                // a label or minutes
  int32_t RecordNumber = 0;            // 1..1000 as the dialog shows it; 0: not given
  std::vector<std::string> ChannelsA;  // "3=+-1V", "1-4=+-10V D"
  std::vector<std::string> ChannelsB;
  // Mode switches: above 0 on, below 0 off, 0 as saved.
  int Synchro = 0;
  int Loop = 0;
  int ResetMul = 0;
  int Bit0 = 0;
  bool Overwrite = false;
  bool Force = false;   // also replaces a read-only file
  bool DryRun = false;  // prints the plan; makes no file or folder
};

// Prints the plan and writes the file; returns an ExitCode. A refusal, and a dry run,
// leave every file and folder as they were: a missing ZQ347Fill.cfg is made from the
// built-in text only once the data file is about to be written. `stop` turns true when
// the user wants the file to stop where it stands.
int RunWriteCommand(const WriteRequest& request, FileSystem& files, Console& console,
                    const std::atomic<bool>& stop);
