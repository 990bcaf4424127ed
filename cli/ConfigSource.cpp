#include "cli/ConfigSource.h"

#include "cli/Console.h"
#include "config/ConfigFiles.h"

namespace {

std::string FindConfigSource(FileSystem& files, const std::string& configFile,
                             const std::string& settingsFolder, ConfigSource& source) {
  source.Configuration = ProgramConfiguration();
  std::string problem =
      settingsFolder.empty() ? std::string() : FolderProblem(files, settingsFolder);
  if (!problem.empty()) {
    return problem;
  }
  std::string folderText =
      settingsFolder.empty() ? std::string("the current folder") : settingsFolder;
  source.File = configFile;
  if (configFile.empty()) {
    std::string name = InFolder(settingsFolder, ConfigurationFileName);
    if (files.Exists(name.c_str())) {
      source.File = name;
    }
  }
  if (source.File.empty()) {
    source.Description = std::string("the built-in configuration (no ") + ConfigurationFileName +
                         " in " + folderText + ")";
    ReadBuiltinConfiguration(source.Configuration);
    return std::string();
  }
  problem = FileProblem(files, source.File);
  if (!problem.empty()) {
    return "the configuration cannot be read: " + problem;
  }
  source.Description = source.File;
  ReadConfiguration(files, source.File.c_str(), source.Configuration);
  return std::string();
}

}  // namespace

int LoadConfigSource(FileSystem& files, Console& console, const ConfigRequest& request,
                     ConfigSource& source) {
  console.Json = request.Json;
  std::string problem = FindConfigSource(files, request.ConfigFile, request.SettingsFolder, source);
  return problem.empty() ? ExitDone : Fail(console, ExitRefused, problem);
}
