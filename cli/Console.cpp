#include "cli/Console.h"

#include "cli/JsonText.h"

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

int Fail(Console& console, int code, const std::string& text) {
  Complain(console, text);
  if (console.Json) {
    console.Out << JsonError(text, code);
    console.Out.flush();
  }
  return code;
}

std::string FileProblem(FileSystem& files, const std::string& name) {
  if (files.IsFolder(name.c_str())) {
    return name + " is a folder, not a file";
  }
  FileHandle file = files.OpenForReading(name.c_str());
  if (file == InvalidFile) {
    char reason[256];
    files.LastErrorText(reason, sizeof reason);
    return "cannot read " + name + ": " + reason;
  }
  int64_t size = files.FileSize(file);
  files.Close(file);
  return size == 0 ? name + " is empty" : std::string();
}

std::string FolderProblem(FileSystem& files, const std::string& name) {
  if (!files.Exists(name.c_str())) {
    return "there is no folder " + name;
  }
  return files.IsFolder(name.c_str()) ? std::string() : name + " is not a folder";
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  bool ends = folder.back() == PathSeparator || folder.back() == '/';
  return ends ? folder + name : folder + PathSeparator + name;
}
