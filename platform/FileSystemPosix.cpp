// POSIX files, so the core and its tests run natively.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileSystem.h"

namespace {

constexpr long MsdosSuperMagic = 0x4d44;

int Descriptor(FileHandle file) {
  return static_cast<int>(file);
}

FileHandle Opened(int fd) {
  return fd < 0 ? InvalidFile : static_cast<FileHandle>(fd);
}

const char* DirectoryOrCurrent(const char* directory) {
  return directory[0] != '\0' ? directory : ".";
}

class PosixFileSystem final : public FileSystem {
 public:
  FileHandle OpenForReading(const char* name) override {
    return Opened(open(name, O_RDONLY | O_CLOEXEC));
  }
  FileHandle CreateNew(const char* name) override {
    return Opened(open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  }
  FileHandle CreateAlways(const char* name, bool) override {
    return Opened(open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  }
  int64_t FileSize(FileHandle file) override {
    struct stat info;
    return fstat(Descriptor(file), &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
  }
  int64_t Read(FileHandle file, void* buffer, uint32_t size) override {
    return read(Descriptor(file), buffer, size);
  }
  int64_t Write(FileHandle file, const void* data, uint32_t size) override {
    return write(Descriptor(file), data, size);
  }
  bool Flush(FileHandle file) override { return fsync(Descriptor(file)) == 0; }
  bool SetFileSize(FileHandle file, int64_t size) override {
    return ftruncate(Descriptor(file), static_cast<off_t>(size)) == 0;
  }
  void Close(FileHandle file) override { close(Descriptor(file)); }

  bool Exists(const char* name) override { return access(name, F_OK) == 0; }
  bool IsFolder(const char* name) override {
    struct stat info;
    return stat(name, &info) == 0 && S_ISDIR(info.st_mode);
  }
  bool IsReadOnly(const char* name) override {
    struct stat info;
    return stat(name, &info) == 0 && (info.st_mode & S_IWUSR) == 0;
  }
  bool SetArchiveOnly(const char* name) override {
    struct stat info;
    return stat(name, &info) == 0 && chmod(name, (info.st_mode & 07777) | S_IWUSR) == 0;
  }
  int64_t SizeOf(const char* name) override {
    struct stat info;
    return stat(name, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
  }
  bool Replace(const char* from, const char* to) override { return rename(from, to) == 0; }
  bool Remove(const char* name) override { return unlink(name) == 0; }

  bool GetCurrentDir(char* buffer, uint32_t size) override {
    if (size == 0) {
      return false;
    }
    if (getcwd(buffer, size) == nullptr) {
      buffer[0] = '\0';
      return false;
    }
    return true;
  }
  bool SetCurrentDir(const char* directory) override { return chdir(directory) == 0; }

  bool SpaceOf(const char* directory, DiskSpace& space) override {
    struct statvfs info;
    if (statvfs(DirectoryOrCurrent(directory), &info) != 0) {
      return false;
    }
    space = {uint64_t{info.f_bavail} * info.f_frsize, uint64_t{info.f_blocks} * info.f_frsize};
    return true;
  }
  // Folders here have no drive letters to tell their kind by.
  DriveType TypeOf(const char*) override { return DriveType::Unknown; }
  bool IsFatVolume(const char* directory) override {
    struct statfs info;
    return statfs(DirectoryOrCurrent(directory), &info) == 0 &&
           static_cast<long>(info.f_type) == MsdosSuperMagic;
  }

  void* AllocatePages(std::size_t bytes) override {
    void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return pages == MAP_FAILED ? nullptr : pages;
  }
  void FreePages(void* pages, std::size_t bytes) override { munmap(pages, bytes); }

  void LastErrorText(char* buffer, std::size_t size) override {
    if (size > 0) {
      std::snprintf(buffer, size, "%s", std::strerror(errno));
    }
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem files;
  return files;
}
