// F2 and the write button: data files written through the real dialog, stopped,
// numbered, refused, and the target chosen in the save-file dialog.
#include <gtest/gtest.h>

#include <string>

#include "datafile/DataFileHeader.h"
#include "resources/ResourceIds.h"
#include "tests/window/StatusTestSupport.h"
#include "tests/window/WindowTestFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

constexpr DWORD NoBoxMs = 700;  // how long a test waits to see that no box comes

// The header the logger must find for these choices.
std::string ExpectedHeader(RecordingSettings settings, double rate, uint8_t flags) {
  ChannelList list;
  int32_t count = BuildChannelList(settings, &list);
  EXPECT_GT(count, 0);
  DataFileHeader header = BuildDataFileHeader(settings.ChannelCount, 10.0, list, rate, flags);
  return std::string(reinterpret_cast<const char*>(header.Bytes), HeaderSize);
}

// F2, then the fill to its end: the size of the file written.
int64_t WriteWithF2(DialogUnderTest& dialog, const std::string& name) {
  dialog.PressKey(VK_F2);
  dialog.FillToEnd();
  return FileSizeOf(name);
}

}  // namespace

TEST(Writing, F2WritesACompleteFileAndTheNextGetsTheNextNumber) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(ChannelA(3), 8);
  dialog.Pick(IDC_RATE, 3);       // for two channels: 50KHz, 40KHz, 30KHz, 25KHz
  dialog.Pick(IDC_SIZE_TIME, 0);  // 1 Ks: 4 sectors per channel
  SendMessageW(dialog.Control(IDC_LOOP_RECORD), BM_CLICK, 0, 0);
  SetFocus(dialog.Control(IDC_RATE));
  dialog.Files().WriteMilliseconds = 500;  // the small file lasts while it is looked at
  dialog.PressKey(VK_F2);

  std::string name = folder.File("0001Dat.VDF");
  EXPECT_TRUE(dialog.Checked(IDC_WRITE));
  EXPECT_GE(FileSizeOf(name), 0);
  // While writing only the write button can be used, and it has the focus.
  for (int id : {IDC_RATE, IDC_SIZE_TIME, IDC_RECORD_NUMBER, IDC_CHOOSE_FILE, IDC_A_AND_B,
                 IDC_LOOP_RECORD, IDC_BIT0, IDC_RESET_MUL, ChannelA(1), ChannelA(16)}) {
    EXPECT_FALSE(dialog.Enabled(id)) << id;
  }
  EXPECT_TRUE(dialog.Enabled(IDC_WRITE));
  EXPECT_EQ(GetFocus(), dialog.Control(IDC_WRITE));

  dialog.FillToEnd();
  EXPECT_FALSE(dialog.Checked(IDC_WRITE));
  EXPECT_TRUE(dialog.Enabled(IDC_RATE));
  EXPECT_TRUE(dialog.Enabled(IDC_CHOOSE_FILE));
  std::string file = ReadBytes(name);
  ASSERT_EQ(file.size(), 512u + 4 * 2 * 512);
  RecordingSettings settings;
  settings.ChAIndex[0] = 2;
  settings.ChAIndex[2] = 8;
  EXPECT_EQ(file.substr(0, HeaderSize), ExpectedHeader(settings, 25000.0, CycleModeFlag));
  EXPECT_EQ(file.find_first_not_of('\xFF', HeaderSize), std::string::npos);

  EXPECT_EQ(WriteWithF2(dialog, folder.File("0002Dat.VDF")), 512 + 4 * 2 * 512);
}

TEST(Writing, F2AgainStopsTheFileWhereItStands) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 15);  // 32 Ms: 131072 sectors
  // The file holds the header and whole sectors, fewer than planned.
  auto stoppedEarly = [&](const char* name) {
    int64_t size = FileSizeOf(folder.File(name));
    EXPECT_EQ((size - 512) % 512, 0) << size;
    EXPECT_LT(size, 512 + 131072 * 512) << name;
  };
  dialog.PressKey(VK_F2);
  dialog.PressKey(VK_F2);
  EXPECT_FALSE(dialog.Checked(IDC_WRITE));
  EXPECT_TRUE(dialog.Enabled(IDC_SIZE_TIME));
  stoppedEarly("0001Dat.VDF");

  // Releasing the button does the same; the number advanced as after a whole file.
  SendMessageW(dialog.Control(IDC_WRITE), BM_CLICK, 0, 0);
  dialog.Pump();
  EXPECT_TRUE(dialog.Checked(IDC_WRITE));
  SendMessageW(dialog.Control(IDC_WRITE), BM_CLICK, 0, 0);
  dialog.Pump();
  stoppedEarly("0002Dat.VDF");

  // Closing while a file is written closes it and still saves the choices.
  dialog.PressKey(VK_F2);
  dialog.Close();
  stoppedEarly("0003Dat.VDF");
  EXPECT_NE(ReadBytes(folder.File("ZQ347Fill.sav")).find("SizeIndex   = 15\r\n"),
            std::string::npos);
}

// A message box (or a window moved) runs a loop of its own: the file's progress and its
// end reach the dialog there too.
TEST(Writing, AFileEndsWhileAMessageBoxIsOpen) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 12);  // 4 Ms: 16384 sectors
  dialog.PressKey(VK_F2);
  bool released = false;
  {
    DialogWatcher watcher(L"Meanwhile", [&](HWND box) {
      for (int wait = 0; wait < 1000 && !released; ++wait) {
        Sleep(10);
        released = !dialog.Checked(IDC_WRITE);
      }
      Press(box, IDOK);
    });
    MessageBoxW(dialog.Window(), L"A file is written.", L"Meanwhile", MB_OK);
  }
  EXPECT_TRUE(released);
  EXPECT_EQ(RecordText(dialog), "Written whole: 0001Dat.VDF, 8.0 MB");
  EXPECT_EQ(FileSizeOf(folder.File("0001Dat.VDF")), 512 + 16384 * 512);
}

TEST(Writing, AnExistingFileIsReplacedOnlyOnYesAndTheDialogWaitsMeanwhile) {
  FreshFolder folder;
  std::string name = folder.File("0001Dat.VDF");
  WriteBytes("0001Dat.VDF", "old");
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY);
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);

  bool dialogEnabled = true;
  std::wstring text;
  {
    DialogWatcher watcher(L"ZQ347Fill", [&](HWND box) {
      dialogEnabled = IsWindowEnabled(dialog.Window()) != FALSE;
      std::wstring now = BoxText(box);  // empty when a second try finds it closing
      text = now.empty() ? text : now;
      Press(box, IDNO);
    });
    dialog.PressKey(VK_F2);
  }
  EXPECT_FALSE(dialogEnabled);  // the box is task-modal: no click reaches the dialog
  EXPECT_NE(text.find(L"already exists and has the READ ONLY attribute!"), std::wstring::npos);
  EXPECT_NE(text.find(L"0001Dat.VDF"), std::wstring::npos);
  EXPECT_FALSE(dialog.Checked(IDC_WRITE));
  EXPECT_EQ(ReadBytes(name), "old");

  {
    DialogWatcher watcher(L"ZQ347Fill", [](HWND box) { Press(box, IDYES); });
    dialog.PressKey(VK_F2);
  }
  dialog.FillToEnd();
  EXPECT_EQ(FileSizeOf(name), 512 + 4 * 512);
  EXPECT_EQ(GetFileAttributesA(name.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST(Writing, ListsWithoutAChoiceOrNoChannelRefuseWithAMessage) {
  FreshFolder folder;
  WriteBytes("ZQ347Fill.sav", "SizeIndex = 99\r\nChA1Index = 2\r\n");
  DialogUnderTest dialog;
  EXPECT_EQ(dialog.Selection(IDC_SIZE_TIME), -1);

  std::wstring text;
  bool pressedMeanwhile = false;
  auto read = [&](HWND box) {
    // A second try of the watcher may find the box already closing.
    std::wstring now = BoxText(box);
    text = now.empty() ? text : now;
    pressedMeanwhile |= dialog.Checked(IDC_WRITE);
    Press(box, IDOK);
  };
  {
    DialogWatcher watcher(L"ZQ347Fill", read);
    dialog.PressKey(VK_F2);
  }
  EXPECT_NE(text.find(L"\"Size/Time per channel\""), std::wstring::npos) << text;
  EXPECT_FALSE(dialog.Checked(IDC_WRITE));

  dialog.Pick(IDC_SIZE_TIME, 0);
  dialog.Pick(ChannelA(1), 0);
  {
    DialogWatcher watcher(L"ZQ347Fill", read);
    dialog.PressKey(VK_F2);  // the button is disabled, but the key still works
  }
  EXPECT_NE(text.find(L"No A channel"), std::wstring::npos) << text;
  EXPECT_FALSE(dialog.Checked(IDC_WRITE));
  EXPECT_FALSE(pressedMeanwhile) << "the button looked pressed under a box";
  EXPECT_EQ(FileSizeOf(folder.File("0001Dat.VDF")), -1);
}

TEST(Writing, AHeldF2StartsOnceAndTheChoicesCannotChangeUnderAFile) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 15);
  {
    DialogWatcher watcher(
        L"ZQ347Fill", [](HWND box) { Press(box, IDOK); }, NoBoxMs);
    dialog.PressKey(VK_F2, true);  // an auto-repeated key-down
    EXPECT_FALSE(dialog.Checked(IDC_WRITE));
    dialog.PressKey(VK_F4, true);
  }
  dialog.PressKey(VK_F2);
  dialog.PressKey(VK_F2, true);
  EXPECT_TRUE(dialog.Checked(IDC_WRITE));

  // Disabled lists can still be sent notifications; they must change nothing.
  SendMessageW(dialog.Control(IDC_RATE), CB_SETCURSEL, 5, 0);
  SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_RATE, CBN_CLOSEUP),
               reinterpret_cast<LPARAM>(dialog.Control(IDC_RATE)));
  SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_A_AND_B, BN_CLICKED),
               reinterpret_cast<LPARAM>(dialog.Control(IDC_A_AND_B)));
  dialog.Pump();
  EXPECT_FALSE(dialog.Enabled(IDC_RATE));
  EXPECT_FALSE(dialog.Enabled(ChannelA(1)));
  EXPECT_TRUE(dialog.Checked(IDC_WRITE));
}

TEST(Writing, AKeyboardChoiceOnAClosedListIsTakenAtOnce) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  ASSERT_EQ(dialog.Count(IDC_RATE), 32);
  SetFocus(dialog.Control(ChannelA(2)));
  dialog.PressKey(VK_DOWN);
  EXPECT_EQ(dialog.Selection(ChannelA(2)), 1);
  EXPECT_EQ(dialog.Count(IDC_RATE), 30);  // two channels now
  EXPECT_TRUE(dialog.Enabled(IDC_RESET_MUL));

  SetFocus(dialog.Control(IDC_RECORD_NUMBER));
  for (int i = 0; i < 4; ++i) {
    dialog.PressKey(VK_DOWN);
  }
  EXPECT_EQ(WriteWithF2(dialog, folder.File("0005Dat.VDF")), 512 + 4 * 2 * 512);
}

// Folders of 200 characters that the ANSI code page (1252 here) cannot spell, three
// times as many bytes in UTF-8: as the start-up folder they hold the data file and the
// saved choices, and as the target the data file.
TEST(Writing, LongFoldersInAnyLanguageHoldTheFiles) {
  TempFolder top;
  std::wstring folders[] = {Wide(top.Path()), Wide(top.Path())};
  for (int part = 0; part < 4; ++part) {  // a name in Linux holds at most 255 bytes
    for (int k = 0; k < 2; ++k) {
      folders[k] += L"\\" + std::wstring(49, k == 0 ? L'Д' : L'表');
      ASSERT_TRUE(CreateDirectoryW(folders[k].c_str(), nullptr));
    }
  }
  for (int k = 0; k < 2; ++k) {
    std::string start = Narrow(folders[k]);
    {
      CurrentFolder current(start);
      DialogUnderTest dialog;
      dialog.Pick(ChannelA(1), 2);
      EXPECT_EQ(WriteWithF2(dialog, start + "\\0001Dat.VDF"), 512 + 4 * 512);
      EXPECT_EQ(ChooseTarget(dialog, folders[1 - k] + L"\\run.vdf"), L"");
      EXPECT_EQ(WriteWithF2(dialog, Narrow(folders[1 - k]) + "\\0001run.VDF"), 512 + 4 * 512);
    }
    EXPECT_GT(FileSizeOf(start + "\\ZQ347Fill.sav"), 0);
  }
}

TEST(Writing, TheSaveFileDialogSetsTheFolderAndBaseName) {
  FreshFolder folder;
  std::string target = folder.File("Цель");
  CreateDirectoryW(Wide(target).c_str(), nullptr);
  DialogUnderTest dialog;
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_RECORD_NUMBER, 6);

  EXPECT_EQ(ChooseTarget(dialog, Wide(target) + L"\\run.vdf"), L"");
  // The numbering starts again at 1, added to the record number's position.
  EXPECT_EQ(WriteWithF2(dialog, target + "\\0007run.VDF"), 512 + 4 * 512);

  // A name ending in a dot has no extension: the dialog gives the name without the dot.
  EXPECT_EQ(ChooseTarget(dialog, Wide(target) + L"\\plain."), L"");
  EXPECT_EQ(WriteWithF2(dialog, target + "\\0007plain.VDF"), 512 + 4 * 512);

  // A folder that cannot be entered, and a path longer than the dialog's buffer: said
  // so, and the target stays.
  std::wstring said = ChooseTarget(dialog, Wide(folder.File("gone")) + L"\\x.vdf");
  EXPECT_NE(said.find(L"gone\\\" cannot be used."), std::wstring::npos) << said;
  EXPECT_NE(said.find(L"still go to \"" + Wide(target) + L"\\\""), std::wstring::npos) << said;
  std::wstring tooLong = Wide(folder.Path()) + L"\\" + std::wstring(300, L'x') + L".vdf";
  tooLong.resize(257);
  EXPECT_NE(ChooseTarget(dialog, tooLong).find(L"too long"), std::wstring::npos);
  EXPECT_EQ(WriteWithF2(dialog, target + "\\0008plain.VDF"), 512 + 4 * 512);

  dialog.Close();
  // The choices are saved where the program started, not in the chosen folder.
  EXPECT_GT(FileSizeOf(folder.File("ZQ347Fill.sav")), 0);
  EXPECT_EQ(FileSizeOf(target + "\\ZQ347Fill.sav"), -1);
}
