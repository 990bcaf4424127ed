// The status panels on a small file system that scripts/removable-drive-test.sh maps
// as a floppy drive and names in ZQ_REMOVABLE_DRIVE ("R:"), and the drive taken out
// while the program runs. Skipped without it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "resources/ResourceIds.h"
#include "tests/window/StatusTestSupport.h"
#include "tests/window/WindowTestSupport.h"

TEST(RemovableDrive, PanelsShowTheDriveAndFollowAFileUntilItIsFull) {
  const char* drive = std::getenv("ZQ_REMOVABLE_DRIVE");
  if (drive == nullptr) {
    GTEST_SKIP() << "ZQ_REMOVABLE_DRIVE names no mapped drive; see removable-drive-test.sh";
  }
  std::string root = std::string(drive) + "\\";
  FreshFolder folder;
  DialogUnderTest dialog;
  const StatusPanels& panels = dialog.Dialog().Panels();
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 8);  // 256 Ks: 1024 chunks, 512 KiB
  ChooseTarget(dialog, Wide(root + "run.vdf"));

  std::string shown = panels.DiskShown().Text;
  std::string start = std::string("Disk \"") + drive[0] + "\": ";
  EXPECT_EQ(shown.substr(0, start.size()), start);
  EXPECT_EQ(shown.substr(shown.size() - 18), "Mb free, Removable");
  EXPECT_EQ(panels.DiskShown().TextColour, BlueColour);
  EXPECT_TRUE(PanelHasColour(dialog.Control(IDC_DISK_PANEL), BlueColour));
  double freeBefore = std::atof(shown.c_str() + start.size());

  // A file on it: the record panel counts up in blue and then says the file is whole.
  dialog.Files().WriteMilliseconds = 200;  // the file lasts while it is looked at
  dialog.PressKey(VK_F2);
  ASSERT_TRUE(dialog.Checked(IDC_WRITE));
  EXPECT_LE(FollowFill(dialog), 99);
  EXPECT_EQ(FileSizeOf(root + "0001run.VDF"), 512 + 1024 * 512);
  EXPECT_STREQ(panels.RecordShown().Text, "Written whole: 0001run.VDF, 512.5 KB");
  double freeAfter = std::atof(panels.DiskShown().Text + start.size());
  EXPECT_NEAR(freeBefore - freeAfter, 0.5, 0.02);

  // Another file once the first is gone, when something else has filled the drive.
  DeleteFileA((root + "0001run.VDF").c_str());
  // Take what is left of the drive: blocks while they fit, then byte by byte.
  HANDLE blocker = CreateFileA((root + "blocker.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
  static const char block[4096] = {};
  for (DWORD size : {4096ul, 1ul}) {
    DWORD written = 0;
    while (WriteFile(blocker, block, size, &written, nullptr) && written > 0) {
    }
  }
  CloseHandle(blocker);
  std::wstring said;
  {
    DialogWatcher watcher(L"ZQ347Fill", [&](HWND box) {
      said = BoxText(box);
      Press(box, IDOK);
    });
    dialog.PressKey(VK_F2);
    EXPECT_TRUE(watcher.Seen());
  }
  EXPECT_FALSE(dialog.Checked(IDC_WRITE));
  EXPECT_EQ(std::string(panels.DiskShown().Text).substr(start.size()), " 0.0 Mb free, Removable");
  // Refused before anything is made: the record panel keeps the plan.
  std::string needs =
      "The " + root + "0002run.VDF file needs 524800 bytes, but its disk has only 0 bytes free.";
  EXPECT_EQ(Narrow(said).substr(0, needs.size()), needs);
  EXPECT_EQ(std::string(panels.RecordShown().Text).rfind("Next: 0002run.VDF, ", 0), 0u);
  EXPECT_EQ(FileSizeOf(root + "0002run.VDF"), -1);
  EXPECT_DOUBLE_EQ(panels.DiskShown().BarValue, panels.DiskShown().BarMaximum);

  // The program holds nothing on the drive between files: the script unmounts it when
  // asked, while the program runs, and finds nothing written there afterwards.
  ASSERT_NE(std::getenv("ZQ_UNMOUNT_FLAGS"), nullptr);
  std::string flags = std::getenv("ZQ_UNMOUNT_FLAGS");
  WriteBytes(flags + "\\ready", "");
  std::string answer;
  for (int wait = 0; wait < 400 && answer.empty(); ++wait) {
    Sleep(50);
    answer = ReadBytes(flags + "\\answer");
  }
  EXPECT_EQ(answer, "unmounted\n");
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);  // the script looks for what came after
  dialog.Close();
}
