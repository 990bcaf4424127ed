// What the terminal gives a command: whether standard error is one, and Ctrl-C.
#pragma once

#include <atomic>

#include "platform/FileSystem.h"

bool StandardErrorIsTerminal();

// Standard input as the file system reads it; never to be closed.
FileHandle StandardInput();

// Set by Ctrl-C while CatchInterrupt is in force; on Windows the console's own thread
// sets it.
extern std::atomic<bool> InterruptRequested;

void CatchInterrupt();
void ReleaseInterrupt();
