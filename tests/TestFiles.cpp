#include "tests/TestFiles.h"

#include "config/ConfigFiles.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& suffix) {
  static std::mt19937_64 random{std::random_device{}()};
  fs::path folder;
  do {
    folder = fs::temp_directory_path() /
             fs::u8path("zq347-test-" + std::to_string(random() % 100000000) + suffix);
  } while (!fs::create_directory(folder));
  Folder = folder.u8string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::path folder = fs::u8path(Folder);
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
  fs::remove_all(folder, ignored);
}

CurrentFolder::CurrentFolder(const std::string& folder) : Previous(CurrentDirectory()) {
  fs::current_path(fs::u8path(folder));
}

CurrentFolder::~CurrentFolder() {
  fs::current_path(fs::u8path(Previous));
}

std::string CurrentDirectory() {
  return fs::current_path().u8string();
}

std::string ReadBytes(const std::string& name) {
  std::ifstream file(fs::u8path(name), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream file(fs::u8path(name), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& name) {
  std::error_code ignored;
  return fs::exists(fs::u8path(name), ignored);
}

int64_t FileSizeOf(const std::string& name) {
  std::error_code failed;
  auto size = fs::file_size(fs::u8path(name), failed);
  return failed ? -1 : static_cast<int64_t>(size);
}

FileHandle FaultyFileSystem::CreateNew(const char* name) {
  return Fails(FailCreate) ? InvalidFile : Real.CreateNew(name);
}

FileHandle FaultyFileSystem::CreateAlways(const char* name, bool shareRead) {
  return Fails(FailCreate) ? InvalidFile : Real.CreateAlways(name, shareRead);
}

int64_t FaultyFileSystem::Read(FileHandle file, void* buffer, uint32_t size) {
  return Real.Read(file, buffer, ShortRead && size > 1 ? size - 1 : size);
}

int64_t FaultyFileSystem::Write(FileHandle file, const void* data, uint32_t size) {
  std::this_thread::sleep_for(std::chrono::milliseconds(WriteMilliseconds));
  if (WriteBudget < 0 || size <= WriteBudget) {
    if (WriteBudget >= 0) {
      WriteBudget -= size;
    }
    return Real.Write(file, data, size);
  }
  Injected = true;
  if (FullAtBudget && WriteBudget == 0) {
    return 0;
  }
  if (WriteFailsAtBudget || WriteBudget == 0) {
    return -1;
  }
  int64_t written = Real.Write(file, data, static_cast<uint32_t>(WriteBudget));
  WriteBudget = 0;
  return written;
}

bool FaultyFileSystem::Flush(FileHandle file) {
  return !Fails(FailFlush) && Real.Flush(file);
}

bool FaultyFileSystem::GetCurrentDir(char* buffer, uint32_t size) {
  if (Directory.empty() && !FailCurrentDir) {
    return Real.GetCurrentDir(buffer, size);
  }
  if (FailCurrentDir || Directory.size() >= size) {
    buffer[0] = '\0';
    return false;
  }
  std::memcpy(buffer, Directory.c_str(), Directory.size() + 1);
  return true;
}

bool FaultyFileSystem::SpaceOf(const char* directory, DiskSpace& space) {
  AskedFolder = directory;
  if (Free == -2) {
    return Real.SpaceOf(directory, space);
  }
  if (Free >= 0) {
    space = {static_cast<uint64_t>(Free), Total};
  }
  return Free >= 0;
}

DriveType FaultyFileSystem::TypeOf(const char* drive) {
  AskedDrive = drive;
  return RealType ? Real.TypeOf(drive) : Type;
}

bool FaultyFileSystem::IsFatVolume(const char* directory) {
  return FatVolume || Real.IsFatVolume(directory);
}

void* FaultyFileSystem::AllocatePages(std::size_t bytes) {
  if (FailAllocate) {
    return nullptr;
  }
  ++Allocations;
  return Real.AllocatePages(bytes);
}

void FaultyFileSystem::LastErrorText(char* buffer, std::size_t size) {
  if (Injected) {
    std::snprintf(buffer, size, "%s", Reason);
  } else {
    Real.LastErrorText(buffer, size);
  }
}

ProgramConfiguration BuiltinConfiguration() {
  TempFolder folder;
  std::string name = folder.File(ConfigurationFileName);
  WriteDefaultConfiguration(SystemFileSystem(), name.c_str());
  ProgramConfiguration configuration;
  ReadConfiguration(SystemFileSystem(), name.c_str(), configuration);
  return configuration;
}
