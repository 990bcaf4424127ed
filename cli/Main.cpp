// zq347cli: the command-line companion of the dialog.
#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Terminal.h"

#ifdef _WIN32
#include <windows.h>

#include <string>
#include <vector>

#include "platform/SystemText.h"

// Windows hands over the arguments as UTF-16; inside, names are UTF-8, and the console
// shows UTF-8 while the program runs.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) {
    arguments.push_back(ToUtf8(argv[i]));
  }
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) {
    pointers.push_back(argument.c_str());
  }
  UINT previous = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
  Console console{std::cout, std::cerr, StandardErrorIsTerminal()};
  int code = RunCommandLine(argc, pointers.data(), console);
  if (previous != 0) {
    SetConsoleOutputCP(previous);
  }
  return code;
}
#else
int main(int argc, char** argv) {
  Console console{std::cout, std::cerr, StandardErrorIsTerminal()};
  return RunCommandLine(argc, argv, console);
}
#endif
