// The program's options: `write` and `inspect`, parsed with CLI11.
#pragma once

#include "cli/Console.h"

// Parses the command line, runs the command and returns the exit code.
int RunCommandLine(int argc, const char* const* argv, Console& console);
