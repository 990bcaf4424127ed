// Real files in temporary folders, and a file system whose operations can be made
// to fail one by one.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

// A fresh, empty folder, removed with everything in it at the end of the test; its name
// ends with `suffix`. Names are UTF-8, as inside the program.
class TempFolder {
 public:
  explicit TempFolder(const std::string& suffix = "");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return Folder; }
  // The folder with a trailing separator, as OutputDirectory holds it.
  std::string WithSeparator() const { return Folder + PathSeparator; }
  std::string File(const std::string& name) const { return WithSeparator() + name; }

 private:
  std::string Folder;
};

// Makes a folder the current directory for the test, and restores the previous one.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder);
  ~CurrentFolder();

 private:
  std::string Previous;
};

// A fresh folder that is the current directory while it lives, as the program's start
// folder.
class FreshFolder : public TempFolder {
 public:
  explicit FreshFolder(const std::string& suffix = "") : TempFolder(suffix), Current(Path()) {}

 private:
  CurrentFolder Current;
};

std::string CurrentDirectory();
std::string ReadBytes(const std::string& name);  // empty when it cannot be read
void WriteBytes(const std::string& name, const std::string& bytes);
bool FileExists(const std::string& name);
int64_t FileSizeOf(const std::string& name);  // -1 when the file does not exist

// Passes everything to the real file system unless told to fail.
class FaultyFileSystem : public FileSystem {
 public:
  static constexpr const char* Reason = "Simulated failure.";

  int64_t WriteBudget = -1;         // bytes that may still be written; -1: no limit
  bool WriteFailsAtBudget = false;  // at the limit: -1 instead of a short count
  bool FullAtBudget = false;        // once it is spent: 0, as a disk that takes no more
  int WriteMilliseconds = 0;        // every write call takes this long, as on a slow disk
  bool FailCreate = false;
  bool FailFlush = false;
  bool FailCurrentDir = false;
  bool FailAllocate = false;
  bool ShortRead = false;  // reads of more than a byte come one byte short, as from a pipe
  bool FatVolume = false;
  std::string Directory;  // the current directory to report; empty: the real one
  int64_t Free = -2;      // bytes free to report; -1: unknown; -2: ask the real disk
  uint64_t Total = 0;     // the disk's size to report with Free
  DriveType Type = DriveType::Fixed;
  bool RealType = false;    // reports the real drive's type instead
  std::string AskedFolder;  // what the disk queries were last asked
  std::string AskedDrive;
  int Allocations = 0;

  // The ones that can fail.
  FileHandle CreateNew(const char* name) override;
  FileHandle CreateAlways(const char* name, bool shareRead) override;
  int64_t Read(FileHandle file, void* buffer, uint32_t size) override;
  int64_t Write(FileHandle file, const void* data, uint32_t size) override;
  bool Flush(FileHandle file) override;
  bool GetCurrentDir(char* buffer, uint32_t size) override;
  bool SpaceOf(const char* directory, DiskSpace& space) override;
  DriveType TypeOf(const char* drive) override;
  bool IsFatVolume(const char* directory) override;
  void* AllocatePages(std::size_t bytes) override;
  void LastErrorText(char* buffer, std::size_t size) override;

  FileHandle OpenForReading(const char* name) override { return Real.OpenForReading(name); }
  int64_t FileSize(FileHandle file) override { return Real.FileSize(file); }
  void Close(FileHandle file) override { Real.Close(file); }
  bool SetFileSize(FileHandle file, int64_t size) override { return Real.SetFileSize(file, size); }
  bool Exists(const char* name) override { return Real.Exists(name); }
  bool IsFolder(const char* name) override { return Real.IsFolder(name); }
  bool IsReadOnly(const char* name) override { return Real.IsReadOnly(name); }
  bool SetArchiveOnly(const char* name) override { return Real.SetArchiveOnly(name); }
  int64_t SizeOf(const char* name) override { return Real.SizeOf(name); }
  bool Replace(const char* from, const char* to) override { return Real.Replace(from, to); }
  bool Remove(const char* name) override { return Real.Remove(name); }
  bool SetCurrentDir(const char* directory) override { return Real.SetCurrentDir(directory); }
  void FreePages(void* pages, std::size_t bytes) override { Real.FreePages(pages, bytes); }

 private:
  // Notes a failure that was made, so that its reason is the simulated one.
  bool Fails(bool failure) {
    Injected = Injected || failure;
    return failure;
  }

  FileSystem& Real = SystemFileSystem();
  bool Injected = false;
};

struct ProgramConfiguration;

// The configuration as the built-in text sets it.
ProgramConfiguration BuiltinConfiguration();
