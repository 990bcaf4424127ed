// What the terminal gives a command: whether standard error is one, and Ctrl-C.
#pragma once

#include <csignal>

bool StandardErrorIsTerminal();

// Set by Ctrl-C while CatchInterrupt is in force.
extern volatile std::sig_atomic_t InterruptRequested;

void CatchInterrupt();
void ReleaseInterrupt();
