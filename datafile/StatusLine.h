// What the two status panels at the bottom of the main dialog show: the free space
// and type of the target disk, and the next data file, the progress of the one being
// written or how the last one ended. Texts, colours and bar geometry only; the drawing
// lives in StatusPanels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "datafile/DataFilePlan.h"
#include "platform/FileSystem.h"

constexpr std::size_t PanelTextSize = 260;

// Colours as the system takes them: 0x00BBGGRR.
constexpr uint32_t RedColour = 0x0000FF;
constexpr uint32_t BlueColour = 0xFF0000;
constexpr uint32_t BlackColour = 0x000000;
constexpr uint32_t NavyColour = 0x800000;

struct DiskState {
  char Letter = '?';  // '?' when the folder is unknown
  bool SpaceKnown = false;
  uint64_t Free = 0;  // bytes available to the caller
  uint64_t Total = 0;
  DriveType Type = DriveType::Unknown;
};

struct PanelContent {
  char Text[PanelTextSize] = {};
  uint32_t TextColour = BlackColour;
  double BarMaximum = 0;  // 0: no bar
  double BarValue = 0;
};

struct PanelRect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

// How the last data file ended.
enum class FileEnd { None, Whole, Stopped, Failed };

struct LastFile {
  FileEnd End = FileEnd::None;
  std::string Name;   // with its extension, without its folder
  int64_t Bytes = 0;  // on the disk
  int64_t Planned = 0;
};

// Asks about the disk of `folder` itself, or of the current directory when it is
// empty; every failure leaves zeros.
DiskState QueryDisk(FileSystem& files, const char* folder);

const char* DriveLabel(DriveType type);
uint32_t DriveColour(DriveType type);

// "Disk ..." with the free space and the used share of the disk as its bar; a free
// space that cannot be read is said to be unknown, not shown as none.
PanelContent DiskPanel(const DiskState& disk);
// "Next: " and the plan, or how the last file ended when one did since the last change.
std::string IdleRecordText(const LastFile& last, const DataFilePlan& plan);

// "Record to ..." while a file is written, else `idleText`; no bar but the file's, and
// the disk's text colour.
PanelContent RecordPanel(const PanelContent& disk, const char* outputPath, uint32_t total,
                         uint32_t done, bool writing, const std::string& idleText);

// Whole percent of `done` in `total`, at most 100; 0 when total is 0.
int32_t PercentDone(uint32_t total, uint32_t done);

// The bar takes the active caption's colour unless it would hardly differ from the
// button face the panel is filled with.
uint32_t BarColour(uint32_t activeCaption, uint32_t buttonFace);

// The filled segments of the bar in a panel of w × h pixels: 4 pixels wide with
// 1-pixel gaps, 10 pixels high at the bottom, the last one cut where the value ends.
std::vector<PanelRect> BarSegments(int32_t w, int32_t h, double maximum, double value);
