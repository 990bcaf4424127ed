// What the two status panels at the bottom of the main dialog show: the free space
// and type of the target disk, and the progress of the data file being written.
// Texts, colours and bar geometry only; the drawing lives in StatusPanels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t PanelTextSize = 260;

// Colours as the system takes them: 0x00BBGGRR.
constexpr uint32_t RedColour = 0x0000FF;
constexpr uint32_t BlueColour = 0xFF0000;
constexpr uint32_t BlackColour = 0x000000;
constexpr uint32_t NavyColour = 0x800000;

// The system's drive type codes.
enum class DriveType : uint32_t {
  Unknown = 0,
  NoRootDirectory = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

struct ClusterCounts {
  uint32_t SectorsPerCluster = 0;
  uint32_t BytesPerSector = 0;
  uint32_t FreeClusters = 0;
  uint32_t TotalClusters = 0;
};

// The questions the status line asks the system about the target disk.
class DiskQueries {
 public:
  virtual ~DiskQueries() = default;
  // The current directory; false (and an empty text) when it does not fit in `size`
  // bytes or cannot be had.
  virtual bool CurrentDirectory(char* buffer, uint32_t size) = 0;
  // Bytes available to the caller and total bytes of the disk that holds `folder`.
  virtual bool SpaceOf(const char* folder, uint64_t* available, uint64_t* total) = 0;
  // The older query, in clusters, for when the one above fails.
  virtual bool ClustersOf(const char* folder, ClusterCounts* counts) = 0;
  // The type of a drive named by two characters, such as "D:".
  virtual DriveType TypeOf(const char* drive) = 0;
};

struct DiskState {
  char Letter = '?';  // '?' when the current directory is unknown
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
DiskState QueryDisk(DiskQueries& disks);

const char* DriveLabel(DriveType type);
uint32_t DriveColour(DriveType type);

// "Disk ..." with the free space and the used share of the disk as its bar.
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
