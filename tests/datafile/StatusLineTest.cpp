#include "datafile/StatusLine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/Utf8.h"
#include "tests/TestFiles.h"

namespace {

constexpr uint64_t Mb = 1048576;

// A disk whose answers the test sets, and which notes what it was asked.
class FakeDisk : public FaultyFileSystem {
 public:
  FakeDisk() {
    Directory = "D:\\rec";
    Free = 0;
  }
};

PanelContent DiskOf(FakeDisk& disk) {
  return DiskPanel(QueryDisk(disk));
}

int Width(const PanelRect& r) {
  return r.Right - r.Left;
}

}  // namespace

TEST(StatusLine, DiskPanelShowsFreeSpaceTypeAndUsedShare) {
  FakeDisk disk;
  disk.Free = 20480 * Mb + Mb / 2;  // beyond 32 bits
  disk.Total = 100000 * Mb;
  PanelContent panel = DiskOf(disk);
  EXPECT_STREQ(panel.Text, "Disk \"D\": 20480.5 Mb free, Fixed");
  EXPECT_EQ(panel.TextColour, BlackColour);
  EXPECT_DOUBLE_EQ(panel.BarMaximum, 100000.0 * Mb);
  EXPECT_DOUBLE_EQ(panel.BarValue, 100000.0 * Mb - (20480.0 * Mb + Mb / 2));
  // The folder itself is asked, not the root of its drive; the type by its two characters.
  EXPECT_EQ(disk.AskedFolder, "D:\\rec");
  EXPECT_EQ(disk.AskedDrive, "D:");

  disk.Free = 0;
  disk.Total = 0;
  EXPECT_STREQ(DiskOf(disk).Text, "Disk \"D\":  0.0 Mb free, Fixed");
  EXPECT_DOUBLE_EQ(DiskOf(disk).BarMaximum, 0.0);
  // More free than total (quotas, odd file systems): an empty bar, not a huge one.
  disk.Free = 10 * Mb;
  disk.Total = 5 * Mb;
  EXPECT_DOUBLE_EQ(DiskOf(disk).BarValue, 0.0);
}

TEST(StatusLine, EveryDriveTypeHasItsLabelAndColour) {
  struct Row {
    DriveType Type;
    const char* Label;
    uint32_t Colour;
  };
  for (const Row& row :
       {Row{DriveType::Unknown, "", RedColour}, Row{DriveType::NoRootDirectory, "", RedColour},
        Row{DriveType::Removable, "Removable", BlueColour},
        Row{DriveType::Fixed, "Fixed", BlackColour}, Row{DriveType::Remote, "", BlackColour},
        Row{DriveType::CdRom, "", BlackColour}, Row{DriveType::RamDisk, "", BlackColour},
        Row{static_cast<DriveType>(77), "", BlackColour}}) {
    FakeDisk disk;
    disk.Type = row.Type;
    disk.Free = 3 * Mb;
    PanelContent panel = DiskOf(disk);
    EXPECT_EQ(panel.Text, std::string("Disk \"D\":  3.0 Mb free, ") + row.Label);
    EXPECT_EQ(panel.TextColour, row.Colour) << panel.Text;
  }
  // A network share: its "letter" is a backslash, and it has no root directory.
  FakeDisk share;
  share.Directory = "\\\\server\\card";
  share.Type = DriveType::NoRootDirectory;
  EXPECT_STREQ(DiskOf(share).Text, "Disk \"\\\":  0.0 Mb free, ");
  EXPECT_EQ(share.AskedDrive, "\\\\");
}

TEST(StatusLine, FailedQueriesSayTheSpaceIsUnknown) {
  FakeDisk disk;
  disk.Free = -1;
  disk.Total = 9 * Mb;
  PanelContent panel = DiskOf(disk);
  EXPECT_STREQ(panel.Text, "Disk \"D\": free space unknown, Fixed");
  EXPECT_DOUBLE_EQ(panel.BarMaximum, 0.0);

  // No current directory (too long, or the query fails): red, no label, no bar.
  for (bool tooLong : {false, true}) {
    FakeDisk lost;
    lost.Free = 5 * Mb;
    lost.Total = 9 * Mb;
    lost.FailCurrentDir = !tooLong;
    if (tooLong) {
      lost.Directory = "C:\\" + std::string(300, 'x');
    }
    panel = DiskOf(lost);
    EXPECT_STREQ(panel.Text, "Disk \"?\": free space unknown, ");
    EXPECT_EQ(panel.TextColour, RedColour);
    EXPECT_DOUBLE_EQ(panel.BarMaximum, 0.0);
    EXPECT_TRUE(lost.AskedFolder.empty());
  }
}

TEST(StatusLine, RecordPanelFollowsTheFileAndNeverPassesAHundred) {
  FakeDisk disk;
  disk.Type = DriveType::Removable;
  disk.Free = Mb;
  disk.Total = 2 * Mb;
  PanelContent shown = DiskOf(disk);

  PanelContent record = RecordPanel(shown, "D:\\rec\\0001Dat", 1000, 5, true);
  EXPECT_STREQ(record.Text, "Record to \"D:\\rec\\0001Dat\" : 0%");
  EXPECT_EQ(record.TextColour, BlueColour);
  EXPECT_DOUBLE_EQ(record.BarMaximum, 1000.0);
  EXPECT_DOUBLE_EQ(record.BarValue, 5.0);
  EXPECT_STREQ(RecordPanel(shown, "D:\\rec\\0001Dat", 1000, 999, true).Text,
               "Record to \"D:\\rec\\0001Dat\" : 99%");
  record = RecordPanel(shown, "D:\\rec\\0001Dat", 1000, 5000, true);
  EXPECT_STREQ(record.Text, "Record to \"D:\\rec\\0001Dat\" : 100%");
  EXPECT_DOUBLE_EQ(record.BarValue, 1000.0);

  // No file, or nothing to write: the disk text without its bar.
  for (PanelContent idle :
       {RecordPanel(shown, "D:\\x", 0, 0, true), RecordPanel(shown, "D:\\x", 1000, 5, false)}) {
    EXPECT_STREQ(idle.Text, shown.Text);
    EXPECT_EQ(idle.TextColour, BlueColour);
    EXPECT_DOUBLE_EQ(idle.BarMaximum, 0.0);
  }
}

TEST(StatusLine, PercentageOfLongRecordingsInSixtyFourBits) {
  EXPECT_EQ(PercentDone(0, 0), 0);
  EXPECT_EQ(PercentDone(0, 7), 0);
  // 1200 minutes at 100 kHz: done × 100 no longer fits 32 bits.
  EXPECT_EQ(PercentDone(28125000, 28000000), 99);
  EXPECT_EQ(PercentDone(UINT32_MAX, UINT32_MAX / 2), 49);
  EXPECT_EQ(PercentDone(UINT32_MAX, UINT32_MAX - 1), 99);
  EXPECT_EQ(PercentDone(UINT32_MAX, UINT32_MAX), 100);
  EXPECT_EQ(PercentDone(3, 4), 100);
}

TEST(StatusLine, LongPathIsCutInTheMiddleAndKeepsThePercentage) {
  PanelContent disk;
  std::string path = "D:\\" + std::string(239, 'a') + "\\" + "0001Dat";
  ASSERT_EQ(path.size(), 250u);
  std::string text = RecordPanel(disk, path.c_str(), 1000, 420, true).Text;
  EXPECT_LE(text.size(), PanelTextSize - 1);
  EXPECT_EQ(text.substr(0, 14), "Record to \"D:\\");
  EXPECT_EQ(text.substr(text.size() - 15), "\\0001Dat\" : 42%");
  EXPECT_NE(text.find("..."), std::string::npos);
  // Cut between characters, whichever bytes the cuts meet: two- and three-byte ones.
  for (std::string letters : {"Д", "デー"}) {
    for (std::size_t shift = 0; shift < 3; ++shift) {
      std::string path = "C:\\" + std::string(shift, 'x');
      while (path.size() < 290) {
        path += letters;
      }
      std::string cut = RecordPanel(disk, (path + "\\0001Dat").c_str(), 2, 1, true).Text;
      EXPECT_TRUE(IsUtf8(cut.c_str(), cut.size())) << shift;
      EXPECT_EQ(cut.substr(cut.size() - 15), "\\0001Dat\" : 50%");
    }
  }
  // A path that fits is left whole.
  std::string shorter = "D:\\" + std::string(200, 'b');
  EXPECT_EQ(std::string(RecordPanel(disk, shorter.c_str(), 2, 1, true).Text),
            "Record to \"" + shorter + "\" : 50%");
}

TEST(StatusLine, BarIsNavyWhenTheCaptionWouldVanishInTheFace) {
  EXPECT_EQ(BarColour(0xFA9632, 0xF5F5F5), 0xFA9632u);
  EXPECT_EQ(BarColour(0xC0C0C0, 0xC0C0C0), NavyColour);
  EXPECT_EQ(BarColour(0xC3C1C2, 0xC0C0C0), NavyColour);  // only the two lowest bits differ
  EXPECT_EQ(BarColour(0xC4C0C0, 0xC0C0C0), 0xC4C0C0u);   // bit 2 differs
  EXPECT_EQ(BarColour(0xC0C0C0, 0xC0C0C4), 0xC0C0C0u);
}

TEST(StatusLine, BarSegmentsForGivenWidthsAndValues) {
  // A panel of 100 × 30: 94 pixels of bar, 10 high at the bottom.
  std::vector<PanelRect> full = BarSegments(100, 30, 10.0, 10.0);
  ASSERT_EQ(full.size(), 18u);
  EXPECT_EQ(full[0].Left, 4);
  EXPECT_EQ(full[0].Right, 8);
  EXPECT_EQ(full[0].Top, 19);
  EXPECT_EQ(full[0].Bottom, 29);
  EXPECT_EQ(full[1].Left, 9);
  for (const PanelRect& r : full) {
    EXPECT_GE(r.Left, 3);
    EXPECT_LE(r.Right, 97);  // inside w − 3
    EXPECT_EQ(Width(r), 4);
  }

  // Total 1000, done 5: (w − 6) × 5 ÷ 1000 pixels, nothing shown below one segment.
  EXPECT_TRUE(BarSegments(100, 30, 1000.0, 5.0).empty());
  std::vector<PanelRect> half = BarSegments(100, 30, 1000.0, 500.0);  // filled 47
  ASSERT_EQ(half.size(), 10u);
  EXPECT_EQ(half.back().Left, 49);
  EXPECT_EQ(half.back().Right, 50);  // cut at filled + 3

  // Values outside 0 … maximum are clamped; no maximum, no bar.
  EXPECT_EQ(BarSegments(100, 30, 10.0, 50.0).size(), full.size());
  EXPECT_TRUE(BarSegments(100, 30, 10.0, -3.0).empty());
  EXPECT_TRUE(BarSegments(100, 30, 0.0, 5.0).empty());
  // A low panel keeps the bar's top at 3; a narrow one has no room for a bar.
  std::vector<PanelRect> low = BarSegments(50, 10, 1.0, 1.0);
  ASSERT_FALSE(low.empty());
  EXPECT_EQ(low[0].Top, 3);
  EXPECT_EQ(low[0].Bottom, 9);
  EXPECT_TRUE(BarSegments(5, 30, 1.0, 1.0).empty());
}
