#include "datafile/StatusLine.h"

#include <cstdio>
#include <cstring>

#include "common/Utf8.h"

namespace {

constexpr double BytesPerMb = 1048576.0;
constexpr uint32_t LowBitsMask = 0xFCFCFC;
constexpr int32_t BarInset = 3;
constexpr int32_t BarHeight = 10;
constexpr int32_t SegmentPitch = 5;
constexpr std::size_t FolderSize = 256;  // 255 characters and the NUL
constexpr char Ellipsis[] = "...";

// Copies `path` into `to`, cut in the middle when it is longer than `room` bytes, so
// that its end (the file name) stays readable; the cuts fall between characters.
void ShortenInMiddle(char* to, std::size_t room, const char* path) {
  std::size_t length = std::strlen(path);
  if (length <= room) {
    std::memcpy(to, path, length + 1);
    return;
  }
  std::size_t marks = sizeof Ellipsis - 1;
  std::size_t head = FitUtf8(path, length, (room - marks) / 3);
  std::size_t tail = room - marks - head;
  while (tail > 0 && IsContinuationByte(path[length - tail])) {
    --tail;
  }
  std::memcpy(to, path, head);
  std::memcpy(to + head, Ellipsis, marks);
  std::memcpy(to + head + marks, path + length - tail, tail + 1);
}

}  // namespace

DiskState QueryDisk(FileSystem& files) {
  DiskState disk;
  char folder[FolderSize] = {};
  if (!files.GetCurrentDir(folder, sizeof folder) || folder[0] == '\0') {
    return disk;
  }
  disk.Letter = folder[0];
  DiskSpace space;
  if (files.SpaceOf(folder, space)) {
    disk.SpaceKnown = true;
    disk.Free = space.Available;
    disk.Total = space.Total;
  }
  char drive[3] = {folder[0], folder[1], '\0'};
  disk.Type = files.TypeOf(drive);
  return disk;
}

const char* DriveLabel(DriveType type) {
  switch (type) {
    case DriveType::Removable:
      return "Removable";
    case DriveType::Fixed:
      return "Fixed";
    default:
      return "";
  }
}

uint32_t DriveColour(DriveType type) {
  switch (type) {
    case DriveType::Unknown:
    case DriveType::NoRootDirectory:
      return RedColour;
    case DriveType::Removable:
      return BlueColour;
    default:
      return BlackColour;
  }
}

PanelContent DiskPanel(const DiskState& disk) {
  PanelContent panel;
  if (disk.SpaceKnown) {
    std::snprintf(panel.Text, sizeof panel.Text, "Disk \"%c\": %4.1f Mb free, %s", disk.Letter,
                  static_cast<double>(disk.Free) / BytesPerMb, DriveLabel(disk.Type));
  } else {
    std::snprintf(panel.Text, sizeof panel.Text, "Disk \"%c\": free space unknown, %s", disk.Letter,
                  DriveLabel(disk.Type));
  }
  panel.TextColour = DriveColour(disk.Type);
  panel.BarMaximum = static_cast<double>(disk.Total);
  panel.BarValue = disk.Total > disk.Free ? static_cast<double>(disk.Total - disk.Free) : 0.0;
  return panel;
}

PanelContent RecordPanel(const PanelContent& disk, const char* outputPath, uint32_t total,
                         uint32_t done, bool writing) {
  PanelContent panel = disk;
  panel.BarMaximum = 0;
  panel.BarValue = 0;
  if (total == 0 || !writing) {
    return panel;
  }
  char ending[16];
  std::snprintf(ending, sizeof ending, "\" : %d%%", static_cast<int>(PercentDone(total, done)));
  static constexpr char Start[] = "Record to \"";
  std::size_t start = sizeof Start - 1;
  std::size_t endingLength = std::strlen(ending);
  // The percentage must survive however long the path is.
  std::size_t room = sizeof panel.Text - 1 - start - endingLength;
  std::memcpy(panel.Text, Start, start);
  ShortenInMiddle(panel.Text + start, room, outputPath);
  std::size_t pathEnd = start + std::strlen(panel.Text + start);
  std::memcpy(panel.Text + pathEnd, ending, endingLength + 1);
  panel.BarMaximum = total;
  panel.BarValue = done < total ? done : total;
  return panel;
}

int32_t PercentDone(uint32_t total, uint32_t done) {
  if (total == 0) {
    return 0;
  }
  uint64_t shown = done < total ? done : total;
  return static_cast<int32_t>(shown * 100 / total);
}

uint32_t BarColour(uint32_t activeCaption, uint32_t buttonFace) {
  if ((activeCaption & LowBitsMask) == (buttonFace & LowBitsMask)) {
    return NavyColour;
  }
  return activeCaption;
}

std::vector<PanelRect> BarSegments(int32_t w, int32_t h, double maximum, double value) {
  std::vector<PanelRect> segments;
  if (!(maximum > 0)) {
    return segments;
  }
  if (!(value > 0)) {
    value = 0;
  } else if (value > maximum) {
    value = maximum;
  }
  int32_t filled = static_cast<int32_t>((w - 6) * value / maximum);
  int32_t top = h - BarHeight - 1 < BarInset ? BarInset : h - BarHeight - 1;
  int32_t bottom = h - 1;
  int32_t left = BarInset;
  for (int32_t x = 0; x <= w - 6; x += SegmentPitch) {
    bool last = x + 1 > filled;
    int32_t right = last ? filled + BarInset : x + BarInset;
    if (right > left) {
      segments.push_back({left, top, right, bottom});
    }
    if (last) {
      break;
    }
    left = x + BarInset + 1;
  }
  return segments;
}
