#include "datafile/StatusPanels.h"

#include <cstdio>
#include <cstring>

#include "platform/FileSystem.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int FrameWidth = 2;
constexpr int BarRoom = 10;  // the text sits above the bar
constexpr DWORD TypeLifeMs = 1000;

class Win32DiskQueries final : public DiskQueries {
 public:
  bool CurrentDirectory(char* buffer, uint32_t size) override {
    return SystemFileSystem().GetCurrentDir(buffer, size);
  }

  // The folder itself is asked: a mount below a drive's root has its own size.
  bool SpaceOf(const char* folder, uint64_t* available, uint64_t* total) override {
    ULARGE_INTEGER free = {};
    ULARGE_INTEGER all = {};
    if (!GetDiskFreeSpaceExA(folder, &free, &all, nullptr)) {
      return false;
    }
    *available = free.QuadPart;
    *total = all.QuadPart;
    return true;
  }

  bool ClustersOf(const char* folder, ClusterCounts* counts) override {
    DWORD sectors = 0;
    DWORD bytes = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceA(folder, &sectors, &bytes, &freeClusters, &totalClusters)) {
      return false;
    }
    *counts = {sectors, bytes, freeClusters, totalClusters};
    return true;
  }

  // The type query costs about a millisecond under Wine, and a file's progress
  // notices come many times a second; a drive keeps its type meanwhile.
  DriveType TypeOf(const char* drive) override {
    DWORD now = GetTickCount();
    if (std::strncmp(drive, KnownDrive, sizeof KnownDrive) != 0 || now - KnownAt > TypeLifeMs) {
      Known = static_cast<DriveType>(GetDriveTypeA(drive));
      std::snprintf(KnownDrive, sizeof KnownDrive, "%s", drive);
      KnownAt = now;
    }
    return Known;
  }

 private:
  char KnownDrive[3] = {};
  DriveType Known = DriveType::Unknown;
  DWORD KnownAt = 0;
};

void FillSegments(HDC memory, int w, int h, const PanelContent& panel) {
  COLORREF colour = BarColour(GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_BTNFACE));
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush == nullptr) {
    return;
  }
  for (const PanelRect& segment : BarSegments(w, h, panel.BarMaximum, panel.BarValue)) {
    RECT rect = {segment.Left, segment.Top, segment.Right, segment.Bottom};
    FillRect(memory, &rect, brush);
  }
  DeleteObject(brush);
}

// A long path is shortened in its middle, so the percentage at the end stays.
void DrawPanelText(HDC memory, RECT& area, const PanelContent& panel) {
  HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(memory, panel.TextColour);
  SetBkMode(memory, TRANSPARENT);
  DrawTextA(memory, panel.Text, -1, &area,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_PATH_ELLIPSIS | DT_NOPREFIX);
  if (oldFont != nullptr) {
    SelectObject(memory, oldFont);
  }
}

}  // namespace

DiskQueries& SystemDiskQueries() {
  static Win32DiskQueries queries;
  return queries;
}

void DrawStatusPanel(HWND dialog, int id, const PanelContent& panel) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) {
    return;
  }
  RECT client;
  GetClientRect(control, &client);
  int w = client.right - client.left - FrameWidth;
  int h = client.bottom - client.top - FrameWidth;
  if (w <= FrameWidth || h <= FrameWidth) {
    return;
  }
  HDC dc = GetDC(control);
  if (dc == nullptr) {
    return;
  }
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(dc, w, h) : nullptr;
  if (bitmap == nullptr) {
    if (memory != nullptr) {
      DeleteDC(memory);
    }
    ReleaseDC(control, dc);
    return;
  }
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);

  RECT area = {0, 0, w, h};
  FillRect(memory, &area, GetSysColorBrush(COLOR_BTNFACE));
  if (panel.BarMaximum > 0) {
    FillSegments(memory, w, h, panel);
    area.bottom -= BarRoom;
  }
  if (panel.Text[0] != '\0') {
    DrawPanelText(memory, area, panel);
  }
  // Inside the etched frame only; the memory bitmap holds no more than w × h.
  BitBlt(dc, FrameWidth, FrameWidth, w - FrameWidth, h - FrameWidth, memory, FrameWidth, FrameWidth,
         SRCCOPY);

  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(control, dc);
}

void StatusPanels::UpdateDiskStatus(HWND dialog, uint32_t total, uint32_t done) {
  Disk = DiskPanel(QueryDisk(Disks));
  Record = RecordPanel(Disk, Paths.OutputPath, total, done, Writer.IsWriting());
  DrawStatusPanel(dialog, IDC_DISK_PANEL, Disk);
  DrawStatusPanel(dialog, IDC_RECORD_PANEL, Record);
}
