// The status panels of the real dialog: what they show and when, their pixels and
// GDI objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/ResourceIds.h"
#include "tests/window/StatusTestSupport.h"
#include "tests/window/WindowTestSupport.h"

TEST(StatusPanels, TheyFollowTheFileAndRefreshAtRepaintsTheTimerAndLists) {
  FreshFolder folder;
  DialogUnderTest dialog;
  const StatusPanels& panels = dialog.Dialog().Panels();
  std::string disk = panels.DiskShown().Text;
  EXPECT_EQ(disk.substr(0, 9), "Disk \"" + folder.Path().substr(0, 1) + "\":");
  EXPECT_GT(panels.DiskShown().BarMaximum, 0.0);
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarMaximum, 0.0);

  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 15);  // 32 Ms: 131072 chunks, 64 MiB
  dialog.PressKey(VK_F2);
  // The notices show the file.
  PumpUntil(dialog, [&] { return RecordShowsFile(dialog); });
  std::string record = "Record to \"" + folder.Path() + "\\0001Dat\" : ";
  EXPECT_EQ(RecordText(dialog).substr(0, record.size()), record);
  // The timer leaves the record alone.
  double value = panels.RecordShown().BarValue;
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarValue, value);
  // At the end the record panel says how the file ended, and the timer leaves it.
  int last = FollowFill(dialog);
  EXPECT_GE(last, 0);
  EXPECT_LE(last, 99);
  EXPECT_EQ(FileSizeOf(folder.File("0001Dat.VDF")), 512 + 131072 * 512);
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);
  EXPECT_EQ(RecordText(dialog), "Written whole: 0001Dat.VDF, 64.0 MB");
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarMaximum, 0.0);

  // The disk panel asks about the target folder, and the program holds no current
  // directory there: a card can be taken out.
  char other = folder.Path()[0] == 'Z' ? 'C' : 'Z';
  std::wstring root = std::wstring(1, other) + L":\\";
  EXPECT_EQ(ChooseTarget(dialog, root + L"x.vdf"), L"");
  EXPECT_EQ(panels.DiskShown().Text[6], other);
  EXPECT_EQ(CurrentDirectory(), folder.Path());
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);
  EXPECT_EQ(panels.DiskShown().Text[6], other);
}

// Before F2 the record panel tells what the next file will hold, following every
// change; after a file, how it ended, until the next change or F2.
TEST(StatusPanels, TheRecordPanelPlansTheNextFileAndTellsHowTheLastEnded) {
  FreshFolder folder;
  DialogUnderTest dialog;
  FaultyFileSystem& files = dialog.Files();
  EXPECT_EQ(RecordText(dialog), "Next: 0001Dat.VDF, no A channel switched on");
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 10);  // 1 Ms: 4096 chunks
  EXPECT_EQ(RecordText(dialog), "Next: 0001Dat.VDF, 2.0 MB, 1 channel × 100 kHz for 10.2 s");
  SendMessageW(dialog.Control(IDC_A_AND_B), BM_CLICK, 0, 0);
  dialog.Pump();
  EXPECT_EQ(RecordText(dialog),
            "Next: 0001Dat.VDF, 4.0 MB, 1 A + 1 B channels × 100 kHz for 10.2 s");
  SendMessageW(dialog.Control(IDC_A_AND_B), BM_CLICK, 0, 0);
  dialog.Pick(IDC_RATE, 7);
  EXPECT_EQ(RecordText(dialog), "Next: 0001Dat.VDF, 2.0 MB, 1 channel × 10 kHz for 1 min 42 s");

  dialog.PressKey(VK_F2);
  dialog.FillToEnd();
  EXPECT_EQ(RecordText(dialog), "Written whole: 0001Dat.VDF, 2.0 MB");
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);
  EXPECT_EQ(RecordText(dialog), "Written whole: 0001Dat.VDF, 2.0 MB");
  dialog.Pick(IDC_SIZE_TIME, 9);
  EXPECT_EQ(RecordText(dialog), "Next: 0002Dat.VDF, 1.0 MB, 1 channel × 10 kHz for 50.8 s");

  files.WriteMilliseconds = 300;  // the file lasts while it is stopped
  dialog.PressKey(VK_F2);
  dialog.PressKey(VK_F2);
  std::string stopped = RecordText(dialog);
  EXPECT_EQ(stopped.rfind("Stopped by the user: 0002Dat.VDF, ", 0), 0u) << stopped;
  EXPECT_EQ(stopped.substr(stopped.size() - 10), " of 1.0 MB") << stopped;
  files.WriteMilliseconds = 10;

  files.WriteBudget = 8 * 512;  // the disk takes seven chunks after the header
  {
    DialogWatcher watcher(L"ZQ347Fill", [](HWND box) { Press(box, IDOK); });
    dialog.PressKey(VK_F2);
    dialog.FillToEnd();
  }
  EXPECT_EQ(RecordText(dialog), "Failed: 0003Dat.VDF, 4.0 KB of 1.0 MB written");
  files.WriteBudget = -1;
}

// The panels are drawn every 2 seconds for as long as the program runs: that must lose
// no bitmap, context or brush.
TEST(StatusPanels, TheBarIsPaintedInTheCaptionColourAndDrawingLeaksNoGdiObject) {
  FreshFolder folder;
  DialogUnderTest dialog;
  HWND panel = dialog.Control(IDC_RECORD_PANEL);
  RECT client;
  GetClientRect(panel, &client);
  int w = client.right - 2;
  int h = client.bottom - 2;
  int barRow = h - 6;
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  COLORREF bar = BarColour(GetSysColor(COLOR_ACTIVECAPTION), face);
  // Which pixels the segments take is proven natively; without text the rest of the
  // panel is the face colour.
  for (double value : {0.0, 333.0, 1000.0}) {
    PanelContent content;
    content.BarMaximum = 1000;
    content.BarValue = value;
    DrawStatusPanel(dialog.Window(), IDC_RECORD_PANEL, content);
    std::vector<COLORREF> expected(w, face);
    for (const PanelRect& segment : BarSegments(w, h, 1000, value)) {
      std::fill(expected.begin() + segment.Left, expected.begin() + segment.Right, bar);
    }
    std::vector<COLORREF> row = PanelRow(panel, barRow, w);
    EXPECT_EQ(std::vector<COLORREF>(row.begin() + 2, row.end()),
              std::vector<COLORREF>(expected.begin() + 2, expected.end()))
        << value;
    EXPECT_EQ(PanelRow(panel, h - 12, w)[w / 2], face);
  }

  // A caption colour that would vanish in the face gives a navy bar.
  int element = COLOR_ACTIVECAPTION;
  COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
  COLORREF nearFace = face ^ 0x030203;
  SetSysColors(1, &element, &nearFace);
  PanelContent withBar;
  withBar.BarMaximum = 1;
  withBar.BarValue = 1;
  DrawStatusPanel(dialog.Window(), IDC_RECORD_PANEL, withBar);
  EXPECT_EQ(PanelRow(panel, barRow, w)[5], static_cast<COLORREF>(NavyColour));
  SetSysColors(1, &element, &caption);

  std::snprintf(withBar.Text, sizeof withBar.Text, "Disk \"C\": 1.0 Mb free, Fixed");
  PanelContent textOnly;
  std::snprintf(textOnly.Text, sizeof textOnly.Text, "Record to \"C:\\x\" : 5%%");
  auto draw = [&](int times) {
    for (int i = 0; i < times; ++i) {
      DrawStatusPanel(dialog.Window(), IDC_DISK_PANEL, withBar);
      DrawStatusPanel(dialog.Window(), IDC_RECORD_PANEL, textOnly);
      DrawStatusPanel(dialog.Window(), 4242, withBar);  // no such control
    }
  };
  draw(10);
  uintptr_t before = HighestNewSlot();
  draw(10000);
  EXPECT_LE(HighestNewSlot(), before + 16);
  // The shared objects the panels use are still alive.
  EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), static_cast<DWORD>(OBJ_FONT));
}
