// The real program, started in a fresh folder and driven from this process as a user
// would: the save-file dialog answered, F2 pressed, Escape pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "tests/window/FindWindow.h"
#include "tests/window/WindowTestFiles.h"

namespace {

constexpr DWORD WaitLimitMs = 60000;
const wchar_t* const MainTitle = L"  ZQ347SD File Creator v4.2 [ Sep  3 2021 ]";
std::wstring Program;  // the Windows path of ZQ347Fill.exe

// Polls until `done` says so (true) or the limit has passed (false).
bool WaitFor(const std::function<bool()>& done) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < WaitLimitMs; Sleep(20)) {
    if (done()) {
      return true;
    }
  }
  return false;
}

// Started in a folder whose name the ANSI code page (1252 here) cannot spell.
void RunInFolder(const std::string& suffix) {
  FreshFolder folder(suffix);
  // The choices of an earlier run: channel 1 at +-10V, 2K samples (8 sectors).
  WriteBytes(folder.File("ZQ347Fill.sav"), "SizeIndex = 1\r\nChA1Index = 2\r\nDigitalBIT0 = 1\r\n");

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::wstring command = L"\"" + Program + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                             Wide(folder.Path()).c_str(), &startup, &process))
      << "cannot start the program";

  // Every start opens the save-file dialog by itself.
  HWND save = nullptr;
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return (save = FindVisibleWindow(process.dwProcessId, L"File for writing")) != nullptr;
  }));
  SetDlgItemTextW(save, 1148, Wide(folder.File("card.vdf")).c_str());
  PostMessageW(save, WM_COMMAND, IDOK, 0);

  ASSERT_TRUE(WaitFor(
      [&] { return (dialog = FindVisibleWindow(process.dwProcessId, MainTitle)) != nullptr; }));
  WaitFor([&] { return !IsWindow(save); });
  HWND write = GetDlgItem(dialog, 1010);
  PostMessageW(dialog, WM_KEYDOWN, VK_F2, 1);
  std::string name = folder.File("0001card.VDF");
  // The button goes down at F2 and comes up when the file is complete.
  bool started = false;
  EXPECT_TRUE(WaitFor([&] {
    bool checked = SendMessageW(write, BM_GETCHECK, 0, 0) == BST_CHECKED;
    started =
        started || checked || GetFileAttributesW(Wide(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    return started && !checked;
  }));
  PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, WaitLimitMs), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  // What the files hold is proven in process; here that they are there.
  EXPECT_GT(ReadBytes(folder.File("ZQ347Fill.cfg")).size(), 0u);
  std::string data = ReadBytes(name);
  ASSERT_EQ(data.size(), 512u + 8 * 512);
  EXPECT_EQ(data.substr(0, 9), "VELDORFFS");
  EXPECT_EQ(data.find_first_not_of('\xFF', 512), std::string::npos);
  std::string saved = ReadBytes(folder.File("ZQ347Fill.sav"));
  EXPECT_NE(saved.find("DigitalBIT0 = 1\r\n"), std::string::npos);
}

}  // namespace

TEST(EndToEnd, AUserChoosesTheTargetWritesAFileAndLeaves) {
  RunInFolder("Данные");
  RunInFolder("データ");
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: EndToEndTests PATH-OF-ZQ347Fill.exe\n");
    return 2;
  }
  // Wine takes the Linux path of the program as Z:.
  std::string path = argv[1];
  std::replace(path.begin(), path.end(), '/', '\\');
  Program = Wide(path[0] == '\\' ? "Z:" + path : path);
  return RUN_ALL_TESTS();
}
