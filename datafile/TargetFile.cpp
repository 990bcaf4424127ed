#include "datafile/TargetFile.h"

#include <commdlg.h>

#include <cstring>

namespace {

// Copies `length` characters of `from`, cut to what `to` holds.
void CopyPart(char (&to)[NameSize], const char* from, std::size_t length) {
  if (length > NameSize - 1) {
    length = NameSize - 1;
  }
  std::memcpy(to, from, length);
  to[length] = '\0';
}

}  // namespace

bool ChooseTargetFile(HWND owner, ProgramConfiguration& configuration, PathTexts& paths) {
  char path[NameSize];
  CopyPart(path, configuration.File, std::strlen(configuration.File));
  // The dialog moves the current directory while the user browses.
  char current[MAX_PATH + 1];
  DWORD currentLength = GetCurrentDirectoryA(sizeof current, current);
  bool currentKnown = currentLength > 0 && currentLength < sizeof current;

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the old layout at its 64-bit size
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleA(nullptr);
  dialog.lpstrFilter = "VDF Data Files\0*.vdf\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrTitle = "File for writing";
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT;
  dialog.lpstrDefExt = "vdf";
  if (!GetSaveFileNameA(&dialog)) {
    if (currentKnown) {
      SetCurrentDirectoryA(current);
    }
    return false;
  }

  if (configuration.FileAutoIncrement != 0) {
    configuration.FileAutoIncrement = 1;
  }
  std::size_t length = strnlen(path, sizeof path - 1);
  std::size_t nameStart = dialog.nFileOffset <= length ? dialog.nFileOffset : length;
  std::size_t nameEnd = length;
  // Without a reported extension, or with no dot before it, the whole name is kept.
  std::size_t extension = dialog.nFileExtension;
  if (extension > nameStart && extension <= length && path[extension - 1] == '.') {
    nameEnd = extension - 1;
  }
  CopyPart(configuration.File, path + nameStart, nameEnd - nameStart);
  CopyPart(paths.OutputDirectory, path, nameStart);
  if (paths.OutputDirectory[0] != '\0') {
    SetCurrentDirectoryA(paths.OutputDirectory);
  }
  return true;
}
