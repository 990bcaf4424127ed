// zq347cli: the command-line companion of the dialog.
#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Terminal.h"

int main(int argc, char** argv) {
  Console console{std::cout, std::cerr, StandardErrorIsTerminal()};
  return RunCommandLine(argc, argv, console);
}
