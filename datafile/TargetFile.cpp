#include "datafile/TargetFile.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "platform/SystemText.h"

namespace {

constexpr std::size_t MessageSize = 2048;  // room for a folder of 255 characters, as UTF-8

// A name that the dialog cannot hand over, by the dialog's reason.
std::string DialogFailure(DWORD error) {
  char text[64];
  switch (error) {
    case FNERR_BUFFERTOOSMALL:
      return "The path is too long: at most 255 characters are possible.";
    case FNERR_INVALIDFILENAME:
      return "The file name is not valid.";
    default:
      std::snprintf(text, sizeof text, "The save-file dialog failed (error 0x%04lX).",
                    static_cast<unsigned long>(error));
      return text;
  }
}

std::string KeptTarget(const std::string& reason, const PathTexts& paths) {
  char text[MessageSize];
  std::snprintf(text, sizeof text, "%s\nData files still go to \"%s\".", reason.c_str(),
                paths.OutputDirectory);
  return text;
}

}  // namespace

bool ChooseTargetFile(HWND owner, FileSystem& files, ProgramConfiguration& configuration,
                      PathTexts& paths, std::string& problem) {
  problem.clear();
  wchar_t path[NameUnits + 1] = {};
  std::wstring suggested = Utf16ForDisplay(configuration.File);
  suggested.copy(path, NameUnits);
  std::wstring folderNow;
  ToUtf16(paths.OutputDirectory, folderNow);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // the old layout at its 64-bit size
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = L"VDF Data Files\0*.vdf\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = NameUnits + 1;
  dialog.lpstrInitialDir = folderNow.empty() ? nullptr : folderNow.c_str();
  dialog.lpstrTitle = L"File for writing";
  // The chosen folder must not become the current directory: that would hold a card
  // busy, and it could not be removed safely.
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT | OFN_NOCHANGEDIR;
  dialog.lpstrDefExt = L"vdf";
  bool chosen = GetSaveFileNameW(&dialog) != 0;
  DWORD failure = chosen ? 0 : CommDlgExtendedError();

  char folder[NameSize] = {};
  char name[NameSize] = {};
  if (chosen) {
    std::size_t length = wcsnlen(path, NameUnits);
    std::size_t nameStart = dialog.nFileOffset <= length ? dialog.nFileOffset : length;
    std::size_t nameEnd = length;
    // Without a reported extension, or with no dot before it, the whole name is kept.
    std::size_t extension = dialog.nFileExtension;
    if (extension > nameStart && extension <= length && path[extension - 1] == L'.') {
      nameEnd = extension - 1;
    }
    std::wstring wideFolder(path, nameStart);
    std::wstring wideName(path + nameStart, nameEnd - nameStart);
    if (!ToUtf8(wideFolder.c_str(), folder, sizeof folder) ||
        !ToUtf8(wideName.c_str(), name, sizeof name)) {
      problem = KeptTarget("The path is too long for the program.", paths);
    } else if (folder[0] != '\0' && !files.IsFolder(folder)) {
      problem = KeptTarget("The folder \"" + std::string(folder) + "\" cannot be used.", paths);
    }
  } else if (failure != 0) {
    problem = KeptTarget(DialogFailure(failure), paths);
  }
  if (!chosen || !problem.empty()) {
    return false;
  }

  RestartNumbering(configuration);
  std::memcpy(configuration.File, name, sizeof name);
  std::memcpy(paths.OutputDirectory, folder, sizeof folder);
  return true;
}
