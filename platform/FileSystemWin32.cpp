// Win32 files and disks: the calls, flags and sharing the program has always used,
// through the W functions, so that a name in any language reaches the disk.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/FileSystem.h"
#include "platform/SystemText.h"

namespace {

constexpr DWORD TypeLifeMs = 1000;

HANDLE Handle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}

FileHandle Opened(HANDLE handle) {
  return reinterpret_cast<FileHandle>(handle);
}

// Win32 takes no directory as "the current one"; an empty text means that.
const wchar_t* DirectoryOrNull(const std::wstring& directory) {
  return directory.empty() ? nullptr : directory.c_str();
}

class Win32FileSystem final : public FileSystem {
 public:
  FileHandle OpenForReading(const char* name) override {
    std::wstring wide;
    return ToUtf16(name, wide)
               ? Opened(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
               : InvalidFile;
  }
  FileHandle CreateNew(const char* name) override {
    std::wstring wide;
    return ToUtf16(name, wide) ? Opened(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr,
                                                    CREATE_NEW, FILE_ATTRIBUTE_ARCHIVE, nullptr))
                               : InvalidFile;
  }
  FileHandle CreateAlways(const char* name, bool shareRead) override {
    std::wstring wide;
    return ToUtf16(name, wide)
               ? Opened(CreateFileW(wide.c_str(), GENERIC_WRITE, shareRead ? FILE_SHARE_READ : 0,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
               : InvalidFile;
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
  bool Flush(FileHandle file) override { return FlushFileBuffers(Handle(file)) != 0; }
  bool SetFileSize(FileHandle file, int64_t size) override {
    LARGE_INTEGER at;
    at.QuadPart = size;
    return SetFilePointerEx(Handle(file), at, nullptr, FILE_BEGIN) && SetEndOfFile(Handle(file));
  }
  void Close(FileHandle file) override { CloseHandle(Handle(file)); }

  bool Exists(const char* name) override { return Attributes(name) != INVALID_FILE_ATTRIBUTES; }
  bool IsFolder(const char* name) override {
    DWORD attributes = Attributes(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  bool IsReadOnly(const char* name) override {
    DWORD attributes = Attributes(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  }
  bool SetArchiveOnly(const char* name) override {
    std::wstring wide;
    return ToUtf16(name, wide) && SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_ARCHIVE) != 0;
  }
  int64_t SizeOf(const char* name) override {
    std::wstring wide;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ToUtf16(name, wide) || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
      return -1;
    }
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  bool Replace(const char* from, const char* to) override {
    std::wstring wideFrom;
    std::wstring wideTo;
    return ToUtf16(from, wideFrom) && ToUtf16(to, wideTo) &&
           MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  bool Remove(const char* name) override {
    std::wstring wide;
    return ToUtf16(name, wide) && DeleteFileW(wide.c_str()) != 0;
  }

  bool GetCurrentDir(char* buffer, uint32_t size) override {
    if (size == 0) {
      return false;
    }
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring wide(length, L'\0');
    if (length == 0 || GetCurrentDirectoryW(length, &wide[0]) + 1 != length ||
        !ToUtf8(wide.c_str(), buffer, size)) {
      buffer[0] = '\0';
      return false;
    }
    return true;
  }
  bool SetCurrentDir(const char* directory) override {
    std::wstring wide;
    return ToUtf16(directory, wide) && SetCurrentDirectoryW(wide.c_str()) != 0;
  }

  // The older cluster query is asked when the newer one fails.
  bool SpaceOf(const char* directory, DiskSpace& space) override {
    std::wstring wide;
    if (!ToUtf16(directory, wide)) {
      return false;
    }
    ULARGE_INTEGER available = {};
    ULARGE_INTEGER total = {};
    if (GetDiskFreeSpaceExW(DirectoryOrNull(wide), &available, &total, nullptr)) {
      space = {available.QuadPart, total.QuadPart};
      return true;
    }
    DWORD sectors = 0;
    DWORD bytes = 0;
    DWORD freeClusters = 0;
    DWORD allClusters = 0;
    if (!GetDiskFreeSpaceW(DirectoryOrNull(wide), &sectors, &bytes, &freeClusters, &allClusters)) {
      return false;
    }
    uint64_t cluster = uint64_t{sectors} * bytes;
    space = {cluster * freeClusters, cluster * allClusters};
    return true;
  }
  // The type query costs about a millisecond under Wine, and a file's progress
  // notices come many times a second; a drive keeps its type meanwhile.
  DriveType TypeOf(const char* drive) override {
    DWORD now = GetTickCount();
    if (std::strncmp(drive, KnownDrive, sizeof KnownDrive) != 0 || now - KnownAt > TypeLifeMs) {
      std::wstring wide;
      Known = ToUtf16(drive, wide) ? static_cast<DriveType>(GetDriveTypeW(wide.c_str()))
                                   : DriveType::Unknown;
      std::snprintf(KnownDrive, sizeof KnownDrive, "%s", drive);
      KnownAt = now;
    }
    return Known;
  }
  bool IsFatVolume(const char* directory) override {
    std::wstring wide;
    wchar_t root[MAX_PATH + 1];
    wchar_t system[MAX_PATH + 1];
    if (!ToUtf16(directory[0] != '\0' ? directory : ".", wide) ||
        !GetVolumePathNameW(wide.c_str(), root, MAX_PATH + 1) ||
        !GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, system, MAX_PATH + 1)) {
      return false;
    }
    // FAT, FAT12, FAT16 and FAT32; exFAT holds large files.
    return std::wcsncmp(system, L"FAT", 3) == 0;
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
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text / sizeof text[0], nullptr);
    if (length == 0) {
      std::snprintf(buffer, size, "System error %lu.", static_cast<unsigned long>(code));
      return;
    }
    while (length > 0 && text[length - 1] <= L' ') {
      text[--length] = L'\0';
    }
    ToUtf8(text, buffer, size);
  }

 private:
  DWORD Attributes(const char* name) {
    std::wstring wide;
    return ToUtf16(name, wide) ? GetFileAttributesW(wide.c_str()) : INVALID_FILE_ATTRIBUTES;
  }

  char KnownDrive[3] = {};
  DriveType Known = DriveType::Unknown;
  DWORD KnownAt = 0;
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem files;
  return files;
}
