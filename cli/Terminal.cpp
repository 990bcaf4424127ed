#include "cli/Terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

volatile std::sig_atomic_t InterruptRequested = 0;

namespace {

extern "C" void OnInterrupt(int) {
  InterruptRequested = 1;
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
  InterruptRequested = 0;
  std::signal(SIGINT, OnInterrupt);
}

void ReleaseInterrupt() {
  std::signal(SIGINT, SIG_DFL);
}
