#include "datafile/StatusPanels.h"

#include <string>

#include "datafile/DataFileName.h"
#include "platform/SystemText.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int FrameWidth = 2;
constexpr int BarRoom = 10;  // the text sits above the bar

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
  std::wstring text = Utf16ForDisplay(panel.Text);
  DrawTextW(memory, text.c_str(), -1, &area,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_PATH_ELLIPSIS | DT_NOPREFIX);
  if (oldFont != nullptr) {
    SelectObject(memory, oldFont);
  }
}

}  // namespace

HDC PanelCanvas::Prepare(HDC dc, int w, int h) {
  if (Memory != nullptr && w == Width && h == Height) {
    return Memory;
  }
  Release();
  Memory = CreateCompatibleDC(dc);
  Bitmap = Memory != nullptr ? CreateCompatibleBitmap(dc, w, h) : nullptr;
  if (Bitmap == nullptr) {
    Release();
    return nullptr;
  }
  Original = SelectObject(Memory, Bitmap);
  Width = w;
  Height = h;
  return Memory;
}

void PanelCanvas::Release() {
  if (Memory != nullptr && Original != nullptr) {
    SelectObject(Memory, Original);
  }
  if (Bitmap != nullptr) {
    DeleteObject(Bitmap);
  }
  if (Memory != nullptr) {
    DeleteDC(Memory);
  }
  Memory = nullptr;
  Bitmap = nullptr;
  Original = nullptr;
  Width = 0;
  Height = 0;
}

void DrawStatusPanel(HWND dialog, int id, const PanelContent& panel, PanelCanvas& canvas) {
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
  HDC memory = canvas.Prepare(dc, w, h);
  if (memory == nullptr) {
    ReleaseDC(control, dc);
    return;
  }
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
  ReleaseDC(control, dc);
}

void DrawStatusPanel(HWND dialog, int id, const PanelContent& panel) {
  PanelCanvas canvas;
  DrawStatusPanel(dialog, id, panel, canvas);
}

void StatusPanels::UpdateDiskStatus(HWND dialog, uint32_t total, uint32_t done) {
  Disk = DiskPanel(QueryDisk(Files, Paths.OutputDirectory));
  std::string idle = IdleRecordText(Last, PlanDataFile(Settings, Configuration, Paths));
  Record = RecordPanel(Disk, Paths.OutputPath, total, done, Writer.IsWriting(), idle);
  DrawStatusPanel(dialog, IDC_DISK_PANEL, Disk, DiskCanvas);
  DrawStatusPanel(dialog, IDC_RECORD_PANEL, Record, RecordCanvas);
}

void StatusPanels::FileStarted() {
  DataFilePlan plan = PlanDataFile(Settings, Configuration, Paths);
  Last = LastFile();
  Last.Name = plan.FileName;
  Last.Planned = plan.Bytes;
  Started = true;
  StartedPath = std::string(Paths.OutputPath) + DataFileExtension;
}

void StatusPanels::FileClosed() {
  if (!Started) {
    return;
  }
  Started = false;
  int64_t size = Files.SizeOf(StartedPath.c_str());
  Last.Bytes = size > 0 ? size : 0;
  Last.End = Last.Bytes == Last.Planned ? FileEnd::Whole : FileEnd::Stopped;
}

void StatusPanels::FileFailed() {
  if (Last.End != FileEnd::None) {
    Last.End = FileEnd::Failed;
  }
}
