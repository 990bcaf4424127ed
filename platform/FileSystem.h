// The one door between the portable core and the operating system's files and disks.
// The Win32 and the POSIX implementation live in their own source files; tests
// derive from FileSystem to make single operations fail. Names are UTF-8. The writer's
// fill thread calls Write, Flush and LastErrorText while the window's thread calls the
// rest: those three keep no state of their own.
#pragma once

#include <cstddef>
#include <cstdint>

// An OS file handle: a Win32 HANDLE or a POSIX descriptor, widened.
using FileHandle = std::intptr_t;
constexpr FileHandle InvalidFile = -1;  // INVALID_HANDLE_VALUE and -1 alike

#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

struct DiskSpace {
  uint64_t Available = 0;  // bytes available to the caller
  uint64_t Total = 0;
};

// The system's drive type codes.
enum class DriveType : uint32_t {
  Unknown = 0,
  NoRootDirectory = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens an existing file for reading, sharing read access with others.
  virtual FileHandle OpenForReading(const char* name) = 0;
  // Creates a file for writing only if it does not exist yet, without sharing,
  // with the archive attribute.
  virtual FileHandle CreateNew(const char* name) = 0;
  // Creates a file for writing, replacing any existing one, with normal attributes.
  virtual FileHandle CreateAlways(const char* name, bool shareRead) = 0;
  // The size in bytes of an open file; -1 when it cannot be had.
  virtual int64_t FileSize(FileHandle file) = 0;
  // One read call: the number of bytes read, -1 on failure.
  virtual int64_t Read(FileHandle file, void* buffer, uint32_t size) = 0;
  // One write call: the number of bytes written, -1 on failure.
  virtual int64_t Write(FileHandle file, const void* data, uint32_t size) = 0;
  // Returns once the bytes written so far are on the disk, not only in the system's
  // cache; false when the disk did not take them.
  virtual bool Flush(FileHandle file) = 0;
  // Cuts the file back (or extends it) to `size` bytes; the next write goes there.
  virtual bool SetFileSize(FileHandle file, int64_t size) = 0;
  virtual void Close(FileHandle file) = 0;

  virtual bool Exists(const char* name) = 0;
  virtual bool IsFolder(const char* name) = 0;
  virtual bool IsReadOnly(const char* name) = 0;
  // Sets the archive attribute alone, clearing read-only, hidden and system.
  virtual bool SetArchiveOnly(const char* name) = 0;
  // The size of a named file; -1 when it does not exist or cannot be asked.
  virtual int64_t SizeOf(const char* name) = 0;
  // Moves a file over another one, replacing it.
  virtual bool Replace(const char* from, const char* to) = 0;
  virtual bool Remove(const char* name) = 0;

  // The current directory, asked for with a buffer limit of `size` bytes
  // including the NUL; false (and an empty text) when it does not fit.
  virtual bool GetCurrentDir(char* buffer, uint32_t size) = 0;
  virtual bool SetCurrentDir(const char* directory) = 0;

  // The space of the disk that holds `directory` itself (a mount below a drive's root
  // has its own; an empty text means the current directory); false when unknown.
  virtual bool SpaceOf(const char* directory, DiskSpace& space) = 0;
  // Bytes available to the caller on that disk; -1 when unknown.
  int64_t FreeSpace(const char* directory) {
    DiskSpace space;
    return SpaceOf(directory, space) ? static_cast<int64_t>(space.Available) : -1;
  }
  // The type of a drive named by two characters, such as "D:".
  virtual DriveType TypeOf(const char* drive) = 0;
  // True when that disk has a FAT file system, which holds no file of 4 GiB or more.
  virtual bool IsFatVolume(const char* directory) = 0;

  // Committed read-write pages from the OS page allocator; nullptr on failure.
  virtual void* AllocatePages(std::size_t bytes) = 0;
  virtual void FreePages(void* pages, std::size_t bytes) = 0;

  // The system's text for the last failure of this thread, bounded by `size`.
  virtual void LastErrorText(char* buffer, std::size_t size) = 0;
};

// The implementation for the operating system the program was built for.
FileSystem& SystemFileSystem();
