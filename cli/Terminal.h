// What the terminal gives a command: whether standard error is one, and Ctrl-C.
#pragma once

#include <atomic>

bool StandardErrorIsTerminal();

// Set by Ctrl-C while CatchInterrupt is in force; on Windows the console's own thread
// sets it.
extern std::atomic<bool> InterruptRequested;

void CatchInterrupt();
void ReleaseInterrupt();
