// The two status panels of the main dialog, drawn double-buffered on their static
// controls from what StatusLine composes.
#pragma once

#include <windows.h>

#include <string>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "datafile/DataFileWriter.h"
#include "datafile/StatusLine.h"
#include "platform/FileSystem.h"
#include "recording/RecordingSettings.h"

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
  StatusPanels(FileSystem& files, const DataFileWriter& writer, const PathTexts& paths,
               const RecordingSettings& settings, const ProgramConfiguration& configuration)
      : Files(files),
        Writer(writer),
        Paths(paths),
        Settings(settings),
        Configuration(configuration) {}

  // Re-reads the target disk and redraws both panels; (0, 0) when no file is written.
  void UpdateDiskStatus(HWND dialog, uint32_t total, uint32_t done);

  // Between files the record panel shows the next file's plan, and once a file has
  // ended, how it ended, until the choices or the target change or the next file starts.
  void FileStarted();
  // Every stop notice; a started file ended whole or was stopped, by its size on the disk.
  void FileClosed();
  // The file that has just ended is incomplete.
  void FileFailed();
  void ShowPlan() { Last = LastFile(); }

  // What the panels were last drawn with.
  const PanelContent& DiskShown() const { return Disk; }
  const PanelContent& RecordShown() const { return Record; }

 private:
  FileSystem& Files;
  const DataFileWriter& Writer;
  const PathTexts& Paths;
  const RecordingSettings& Settings;
  const ProgramConfiguration& Configuration;
  LastFile Last;
  bool Started = false;
  std::string StartedPath;  // the full name of the file started last
  PanelContent Disk;
  PanelContent Record;
  PanelCanvas DiskCanvas;
  PanelCanvas RecordCanvas;
};
