#include "cli/Console.h"

void Complain(Console& console, const std::string& text) {
  std::string line = text;
  for (char& c : line) {
    if (c == '\n' || c == '\r') {
      c = ' ';
    }
  }
  // "Delete a file? \n" style texts leave doubled blanks behind.
  std::string single;
  for (char c : line) {
    if (!(c == ' ' && !single.empty() && single.back() == ' ')) {
      single += c;
    }
  }
  while (!single.empty() && single.back() == ' ') {
    single.pop_back();
  }
  console.Err << ProgramName << ": " << single << '\n';
  console.Err.flush();
}
