// What the two status panels at the bottom of the main dialog show: the free space
// and type of the target disk, and the progress of the data file being written.
// Texts, colours and bar geometry only; the drawing lives in StatusPanels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/FileSystem.h"

constexpr std::size_t PanelTextSize = 260;

// Colours as the system takes them: 0x00BBGGRR.
constexpr uint32_t RedColour = 0x0000FF;
constexpr uint32_t BlueColour = 0xFF0000;
constexpr uint32_t BlackColour = 0x000000;
constexpr uint32_t NavyColour = 0x800000;

struct DiskState {
  char Letter = '?';  // '?' when the current directory is unknown
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

// Asks about the disk of the current directory; every failure leaves zeros.
DiskState QueryDisk(FileSystem& files);

const char* DriveLabel(DriveType type);
uint32_t DriveColour(DriveType type);

// "Disk ..." with the free space and the used share of the disk as its bar; a free
// space that cannot be read is said to be unknown, not shown as none.
PanelContent DiskPanel(const DiskState& disk);
// "Record to ..." while a file is written, else the disk panel without its bar.
PanelContent RecordPanel(const PanelContent& disk, const char* outputPath, uint32_t total,
                         uint32_t done, bool writing);

// Whole percent of `done` in `total`, at most 100; 0 when total is 0.
int32_t PercentDone(uint32_t total, uint32_t done);

// The bar takes the active caption's colour unless it would hardly differ from the
// button face the panel is filled with.
uint32_t BarColour(uint32_t activeCaption, uint32_t buttonFace);

// The filled segments of the bar in a panel of w × h pixels: 4 pixels wide with
// 1-pixel gaps, 10 pixels high at the bottom, the last one cut where the value ends.
std::vector<PanelRect> BarSegments(int32_t w, int32_t h, double maximum, double value);
