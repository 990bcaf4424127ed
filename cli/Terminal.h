// What the terminal gives a command: whether standard error is one, and Ctrl-C.
#pragma once

#include <csignal>

#include "platform/FileSystem.h"

bool StandardErrorIsTerminal();

// Standard input as the file system reads it; never to be closed.
FileHandle StandardInput();

// Set by Ctrl-C while CatchInterrupt is in force.
extern volatile std::sig_atomic_t InterruptRequested;

void CatchInterrupt();
void ReleaseInterrupt();
