// Reading what the status panels of the dialog under test show.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "datafile/StatusPanels.h"
#include "resources/ResourceIds.h"
#include "tests/window/WindowTestSupport.h"

inline std::string RecordText(DialogUnderTest& dialog) {
  return dialog.Dialog().Panels().RecordShown().Text;
}

// Pumps while the file fills (bounded) until `done` says so.
template <typename Done>
void PumpUntil(DialogUnderTest& dialog, Done done) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 60000 && !done();) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    dialog.Pump();
  }
}

inline bool RecordShowsFile(DialogUnderTest& dialog) {
  return RecordText(dialog).rfind("Record to", 0) == 0;
}

// Follows the fill to its end, repainting as it goes; the percentage that ends the last
// "Record to" text seen. The bar never moves back, and a repaint draws what the last
// notice showed.
inline int FollowFill(DialogUnderTest& dialog) {
  int last = -1;
  double shown = 0;
  const StatusPanels& panels = dialog.Dialog().Panels();
  PumpUntil(dialog, [&] {
    const PanelContent& record = panels.RecordShown();
    if (record.BarMaximum > 0) {
      double value = record.BarValue;
      EXPECT_GE(value, shown);
      shown = value;
      RedrawWindow(dialog.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      EXPECT_EQ(panels.RecordShown().BarValue, value);
      const char* colon = std::strrchr(record.Text, ':');
      last = colon != nullptr ? std::atoi(colon + 1) : last;
    }
    return !dialog.Checked(IDC_WRITE);
  });
  dialog.Pump();
  return last;
}

// One row of a panel's pixels as the screen has them.
inline std::vector<COLORREF> PanelRow(HWND panel, int y, int width) {
  std::vector<COLORREF> row(width);
  HDC dc = GetDC(panel);
  for (int x = 0; x < width; ++x) {
    row[x] = GetPixel(dc, x, y);
  }
  ReleaseDC(panel, dc);
  return row;
}

// True when some pixel of the panel has the colour.
inline bool PanelHasColour(HWND panel, COLORREF colour) {
  RECT client;
  GetClientRect(panel, &client);
  for (int y = 2; y < client.bottom - 2; ++y) {
    std::vector<COLORREF> row = PanelRow(panel, y, client.right - 2);
    if (std::find(row.begin(), row.end(), colour) != row.end()) {
      return true;
    }
  }
  return false;
}
