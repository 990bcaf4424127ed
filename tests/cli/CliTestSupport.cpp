#include "tests/cli/CliTestSupport.h"

#include <sstream>

#include "cli/CommandLine.h"
#include "config/ConfigFiles.h"
#include "tests/TestFiles.h"

const volatile std::sig_atomic_t NeverStop = 0;

CliRun RunWrite(const WriteRequest& request, FileSystem& files,
                const volatile std::sig_atomic_t& stop) {
  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err, false};
  int code = RunWriteCommand(request, files, console, stop);
  return {code, out.str(), err.str()};
}

CliRun RunExamine(const ExamineRequest& request) {
  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err, false};
  int code = RunExamineCommand(request, SystemFileSystem(), console);
  return {code, out.str(), err.str()};
}

CliRun RunArguments(const std::vector<std::string>& arguments) {
  std::vector<const char*> argv{"zq347cli"};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err, false};
  int code = RunCommandLine(static_cast<int>(argv.size()), argv.data(), console);
  return {code, out.str(), err.str()};
}

void WriteSavedState(const std::string& folder, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  WriteBytes(folder + PathSeparator + SavedStateFileName, text);
}
