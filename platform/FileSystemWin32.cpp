// Win32 files: the calls, flags and sharing the program has always used.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/FileSystem.h"

namespace {

HANDLE Handle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}

FileHandle Opened(HANDLE handle) {
  return reinterpret_cast<FileHandle>(handle);
}

// Win32 takes no directory as "the current one"; an empty text means that.
const char* DirectoryOrNull(const char* directory) {
  return directory[0] != '\0' ? directory : nullptr;
}

class Win32FileSystem final : public FileSystem {
 public:
  FileHandle OpenForReading(const char* name) override {
    return Opened(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  FileHandle CreateNew(const char* name) override {
    return Opened(
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_ARCHIVE, nullptr));
  }
  FileHandle CreateAlways(const char* name, bool shareRead) override {
    return Opened(CreateFileA(name, GENERIC_WRITE, shareRead ? FILE_SHARE_READ : 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  int64_t FileSize(FileHandle file) override {
    LARGE_INTEGER size;
    return GetFileSizeEx(Handle(file), &size) ? size.QuadPart : -1;
  }
  int64_t Read(FileHandle file, void* buffer, uint32_t size) override {
    DWORD done = 0;
    return ReadFile(Handle(file), buffer, size, &done, nullptr) ? done : -1;
  }
  int64_t Write(FileHandle file, const void* data, uint32_t size) override {
    DWORD done = 0;
    return WriteFile(Handle(file), data, size, &done, nullptr) ? done : -1;
  }
  void Close(FileHandle file) override { CloseHandle(Handle(file)); }

  bool Exists(const char* name) override {
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
  }
  bool IsReadOnly(const char* name) override {
    DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  }
  bool SetArchiveOnly(const char* name) override {
    return SetFileAttributesA(name, FILE_ATTRIBUTE_ARCHIVE) != 0;
  }
  int64_t SizeOf(const char* name) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) {
      return -1;
    }
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  bool Replace(const char* from, const char* to) override {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  bool Remove(const char* name) override { return DeleteFileA(name) != 0; }

  bool GetCurrentDir(char* buffer, uint32_t size) override {
    if (size == 0) {
      return false;
    }
    DWORD length = GetCurrentDirectoryA(size, buffer);
    if (length == 0 || length >= size) {
      buffer[0] = '\0';
      return false;
    }
    return true;
  }
  bool SetCurrentDir(const char* directory) override {
    return SetCurrentDirectoryA(directory) != 0;
  }

  int64_t FreeSpace(const char* directory) override {
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExA(DirectoryOrNull(directory), &available, nullptr, nullptr)) {
      return -1;
    }
    return static_cast<int64_t>(available.QuadPart);
  }
  bool IsFatVolume(const char* directory) override {
    char root[MAX_PATH + 1];
    char system[MAX_PATH + 1];
    const char* path = directory[0] != '\0' ? directory : ".";
    if (!GetVolumePathNameA(path, root, sizeof root) ||
        !GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, system,
                               sizeof system)) {
      return false;
    }
    // FAT, FAT12, FAT16 and FAT32; exFAT holds large files.
    return std::strncmp(system, "FAT", 3) == 0;
  }

  void* AllocatePages(std::size_t bytes) override {
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  void FreePages(void* pages, std::size_t) override { VirtualFree(pages, 0, MEM_RELEASE); }

  void LastErrorText(char* buffer, std::size_t size) override {
    if (size == 0) {
      return;
    }
    DWORD code = GetLastError();
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, static_cast<DWORD>(size), nullptr);
    if (length == 0) {
      std::snprintf(buffer, size, "System error %lu.", static_cast<unsigned long>(code));
      return;
    }
    while (length > 0 && static_cast<unsigned char>(buffer[length - 1]) <= ' ') {
      buffer[--length] = '\0';
    }
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem files;
  return files;
}
