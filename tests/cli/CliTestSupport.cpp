#include "tests/cli/CliTestSupport.h"

#include <sstream>

#include "cli/CommandLine.h"

const std::atomic<bool> NeverStop{false};

namespace {

template <typename Command>
CliRun Capture(Command command) {
  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err, false};
  int code = command(console);
  return {code, out.str(), err.str()};
}

}  // namespace

CliRun RunWrite(const WriteRequest& request, FileSystem& files, const std::atomic<bool>& stop) {
  return Capture([&](Console& console) { return RunWriteCommand(request, files, console, stop); });
}

CliRun RunArguments(const std::vector<std::string>& arguments) {
  std::vector<const char*> argv{"zq347cli"};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  return Capture([&](Console& console) {
    return RunCommandLine(static_cast<int>(argv.size()), argv.data(), console);
  });
}
