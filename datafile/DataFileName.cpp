#include "datafile/DataFileName.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

bool IsDeviceName(std::string stem) {
  // Windows ignores blanks before the extension: "CON .txt" is the console too.
  while (!stem.empty() && stem.back() == ' ') {
    stem.pop_back();
  }
  for (char& c : stem) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
    return true;
  }
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string WindowsNameProblem(const std::string& name) {
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr) {
      char shown[16];
      std::snprintf(shown, sizeof shown, u < 0x20 ? "0x%02X" : "%c", u);
      return std::string("holds ") + (u < 0x20 ? "the control character " : "the character ") +
             shown + ", which Windows does not allow in file names";
    }
  }
  if (IsDeviceName(name.substr(0, name.find('.')))) {
    return "is a device name on Windows (CON, PRN, AUX, NUL, COM1-9, LPT1-9)";
  }
  return std::string();
}
