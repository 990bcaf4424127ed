// `choices`: the rates, sizes, durations and ranges that the dialog offers for a
// number of channels and a mode, in the words that `write` takes.
#pragma once

#include <cstdint>

#include "cli/ConfigSource.h"
#include "cli/Console.h"
#include "platform/FileSystem.h"

struct ChoicesRequest : ConfigRequest {
  int32_t Channels = 1;  // A channels switched on
  bool Synchro = false;  // the "A and B" mode
};

// The configuration as `inspect` finds it. Returns an ExitCode.
int RunChoicesCommand(const ChoicesRequest& request, FileSystem& files, Console& console);
