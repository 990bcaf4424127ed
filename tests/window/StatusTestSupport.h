// Reading what the status panels of the dialog under test show.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "datafile/StatusPanels.h"
#include "tests/window/WindowTestSupport.h"

inline std::string RecordText(DialogUnderTest& dialog) {
  return dialog.Dialog().Panels().RecordShown().Text;
}

// Runs the fill one chunk per step to its end; the percentage that ends the last
// "Record to" text.
inline int FollowFill(DialogUnderTest& dialog) {
  int last = -1;
  for (int step = 0; step < 50000000; ++step) {
    bool ended = dialog.Dialog().WriteNextChunk();
    const PanelContent& record = dialog.Dialog().Panels().RecordShown();
    const char* colon = std::strrchr(record.Text, ':');
    if (record.BarMaximum > 0 && colon != nullptr) {
      last = std::atoi(colon + 1);
    }
    if (ended) {
      break;
    }
  }
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
