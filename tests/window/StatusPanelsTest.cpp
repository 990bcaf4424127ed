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
  EXPECT_EQ(RecordText(dialog), disk);
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
  // At the end both panels show the disk again.
  int last = FollowFill(dialog);
  EXPECT_GE(last, 0);
  EXPECT_LE(last, 99);
  EXPECT_EQ(FileSizeOf(folder.File("0001Dat.VDF")), 512 + 131072 * 512);
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
