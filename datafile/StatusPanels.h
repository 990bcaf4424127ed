// The two status panels of the main dialog, drawn double-buffered on their static
// controls from what StatusLine composes, and the system's answers about the disk.
#pragma once

#include <windows.h>

#include "config/PathTexts.h"
#include "datafile/DataFileWriter.h"
#include "datafile/StatusLine.h"

// The disk queries of the system this program runs on.
DiskQueries& SystemDiskQueries();

// Draws one panel; nothing when the dialog has no such control or no memory context.
void DrawStatusPanel(HWND dialog, int id, const PanelContent& panel);

class StatusPanels {
 public:
  StatusPanels(DiskQueries& disks, const DataFileWriter& writer, const PathTexts& paths)
      : Disks(disks), Writer(writer), Paths(paths) {}

  // Re-reads the target disk and redraws both panels; (0, 0) when no file is written.
  void UpdateDiskStatus(HWND dialog, uint32_t total, uint32_t done);

  // What the panels were last drawn with.
  const PanelContent& DiskShown() const { return Disk; }
  const PanelContent& RecordShown() const { return Record; }

 private:
  DiskQueries& Disks;
  const DataFileWriter& Writer;
  const PathTexts& Paths;
  PanelContent Disk;
  PanelContent Record;
};
