// The two status panels of the main dialog, drawn double-buffered on their static
// controls from what StatusLine composes.
#pragma once

#include <windows.h>

#include "config/PathTexts.h"
#include "datafile/DataFileWriter.h"
#include "datafile/StatusLine.h"
#include "platform/FileSystem.h"

// A memory context and bitmap kept from one drawing of a panel to the next: making
// them costs more under Wine than all the drawing, and a file's progress notices
// redraw the panels a few hundred times.
class PanelCanvas {
 public:
  PanelCanvas() = default;
  ~PanelCanvas() { Release(); }
  PanelCanvas(const PanelCanvas&) = delete;
  PanelCanvas& operator=(const PanelCanvas&) = delete;

  // A memory context holding a bitmap of w × h compatible with `dc`; nullptr when
  // none can be made.
  HDC Prepare(HDC dc, int w, int h);
  void Release();

 private:
  HDC Memory = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Original = nullptr;
  int Width = 0;
  int Height = 0;
};

// Draws one panel; nothing when the dialog has no such control or no memory context.
void DrawStatusPanel(HWND dialog, int id, const PanelContent& panel, PanelCanvas& canvas);
void DrawStatusPanel(HWND dialog, int id, const PanelContent& panel);

class StatusPanels {
 public:
  StatusPanels(FileSystem& files, const DataFileWriter& writer, const PathTexts& paths)
      : Files(files), Writer(writer), Paths(paths) {}

  // Re-reads the target disk and redraws both panels; (0, 0) when no file is written.
  void UpdateDiskStatus(HWND dialog, uint32_t total, uint32_t done);

  // What the panels were last drawn with.
  const PanelContent& DiskShown() const { return Disk; }
  const PanelContent& RecordShown() const { return Record; }

 private:
  FileSystem& Files;
  const DataFileWriter& Writer;
  const PathTexts& Paths;
  PanelContent Disk;
  PanelContent Record;
  PanelCanvas DiskCanvas;
  PanelCanvas RecordCanvas;
};
