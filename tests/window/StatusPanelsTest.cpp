// The status panels of the real dialog: what they show and when, their pixels and
// GDI objects, and the end of a file that fills on its own thread.
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
  EXPECT_EQ(RecordText(dialog), disk);
  EXPECT_GT(panels.DiskShown().BarMaximum, 0.0);
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarMaximum, 0.0);

  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 10);  // 4096 chunks: a notice every 16th
  dialog.PressKey(VK_F2);
  // The start shows the disk (its free space may have moved meanwhile); the first
  // chunk's notice, the file.
  EXPECT_EQ(RecordText(dialog), panels.DiskShown().Text);
  ASSERT_FALSE(dialog.Dialog().WriteNextChunk());
  EXPECT_EQ(RecordText(dialog), "Record to \"" + folder.Path() + "\\0001Dat\" : 0%");
  for (int i = 1; i < 2060; ++i) {
    ASSERT_FALSE(dialog.Dialog().WriteNextChunk());
  }
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarValue, 2048.0);  // the last notice
  // A repaint shows where the file stands now; the timer leaves the record alone.
  RedrawWindow(dialog.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarValue, 2060.0);
  EXPECT_EQ(RecordText(dialog), "Record to \"" + folder.Path() + "\\0001Dat\" : 50%");
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarValue, 2060.0);
  // Every notice shows the file (how often is proven natively); at the end both panels
  // show the disk again.
  EXPECT_EQ(FollowFill(dialog), 99);
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);
  EXPECT_STREQ(panels.RecordShown().Text, panels.DiskShown().Text);
  EXPECT_DOUBLE_EQ(panels.RecordShown().BarMaximum, 0.0);

  // The timer, a list closing up and a repaint each read the disk again: here the
  // current directory moves to another drive behind the dialog's back.
  char other = folder.Path()[0] == 'Z' ? 'C' : 'Z';
  std::string root = std::string(1, other) + ":\\";
  auto letter = [&] { return panels.DiskShown().Text[6]; };
  ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
  SendMessageW(dialog.Window(), WM_TIMER, 1, 0);
  EXPECT_EQ(letter(), other);
  SetCurrentDirectoryA(folder.Path().c_str());
  dialog.Pick(IDC_RATE, 1);
  EXPECT_EQ(letter(), folder.Path()[0]);
  SetCurrentDirectoryA(root.c_str());
  RedrawWindow(dialog.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(letter(), other);
  SetCurrentDirectoryA(folder.Path().c_str());
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

// On its own thread the file's notices reach the panels a loop turn at a time, the last
// of each turn drawn: the file is shown while it fills, the disk again at its end.
TEST(StatusPanels, AFileOnItsOwnThreadIsShownWhileItFillsAndAfter) {
  FreshFolder folder;
  DialogUnderTest dialog;
  dialog.Dialog().FillOnOwnThread();
  dialog.Pick(ChannelA(1), 2);
  dialog.Pick(IDC_SIZE_TIME, 15);  // 32 Ms: 131072 chunks, 64 MiB
  dialog.PressKey(VK_F2);
  bool fileShown = false;
  for (int turn = 0; !dialog.Dialog().WriteInBackground() && turn < 20000; ++turn) {
    fileShown = fileShown || RecordText(dialog).rfind("Record to", 0) == 0;
    Sleep(5);
  }
  dialog.Pump();
  EXPECT_TRUE(fileShown);
  EXPECT_FALSE(dialog.Checked(IDC_WRITE));
  EXPECT_DOUBLE_EQ(dialog.Dialog().Panels().RecordShown().BarMaximum, 0.0);
  EXPECT_EQ(RecordText(dialog), dialog.Dialog().Panels().DiskShown().Text);
  EXPECT_EQ(FileSizeOf(folder.File("0001Dat.VDF")), 512 + 131072 * 512);
}
