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
constexpr char Ellipsis[] = "...";
// A file name in the record panel's text leaves room for the numbers after it.
constexpr std::size_t ShownNameBytes = 120;

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

std::string Shortened(const std::string& name) {
  char shown[ShownNameBytes + 1];
  ShortenInMiddle(shown, ShownNameBytes, name.c_str());
  return shown;
}

}  // namespace

DiskState QueryDisk(FileSystem& files, const char* folder) {
  DiskState disk;
  char current[NameSize] = {};
  if (folder[0] == '\0') {
    if (!files.GetCurrentDir(current, sizeof current) || current[0] == '\0') {
      return disk;
    }
    folder = current;
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

std::string IdleRecordText(const LastFile& last, const DataFilePlan& plan) {
  std::string name = Shortened(last.Name);
  std::string sizes = SizeText(last.Bytes) + " of " + SizeText(last.Planned);
  switch (last.End) {
    case FileEnd::Whole:
      return "Written whole: " + name + ", " + SizeText(last.Bytes);
    case FileEnd::Stopped:
      return "Stopped by the user: " + name + ", " + sizes;
    case FileEnd::Failed:
      return "Failed: " + name + ", " + sizes + " written";
    case FileEnd::None:
      break;
  }
  DataFilePlan shown = plan;
  shown.FileName = Shortened(plan.FileName);
  return "Next: " + PlanText(shown);
}

PanelContent RecordPanel(const PanelContent& disk, const char* outputPath, uint32_t total,
                         uint32_t done, bool writing, const std::string& idleText) {
  PanelContent panel;
  panel.TextColour = disk.TextColour;
  if (total == 0 || !writing) {
    std::size_t length = FitUtf8(idleText.c_str(), idleText.size(), sizeof panel.Text - 1);
    std::memcpy(panel.Text, idleText.c_str(), length);
    panel.Text[length] = '\0';
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
