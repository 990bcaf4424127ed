#include "cli/Terminal.h"

#include <csignal>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

std::atomic<bool> InterruptRequested{false};

namespace {

extern "C" void OnInterrupt(int) {
  InterruptRequested = true;
}

}  // namespace

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

FileHandle StandardInput() {
#ifdef _WIN32
  return reinterpret_cast<FileHandle>(GetStdHandle(STD_INPUT_HANDLE));
#else
  return STDIN_FILENO;
#endif
}

void CatchInterrupt() {
  InterruptRequested = false;
  std::signal(SIGINT, OnInterrupt);
}

void ReleaseInterrupt() {
  std::signal(SIGINT, SIG_DFL);
}
