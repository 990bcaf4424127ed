#include "datafile/StatusLine.h"

#include <gtest/gtest.h>

#include <string>

#include "common/Utf8.h"
#include "tests/TestFiles.h"

namespace {

constexpr uint64_t Mb = 1048576;

// A disk of D:\rec whose answers the test sets.
struct FakeDisk : FaultyFileSystem {
  FakeDisk(int64_t free, uint64_t total, DriveType type = DriveType::Fixed) {
    Directory = "D:\\rec";
    Free = free;
    Total = total;
    Type = type;
  }
  PanelContent Panel() { return DiskPanel(QueryDisk(*this, "")); }  // the current directory
};

TEST(StatusLine, DiskPanelShowsFreeSpaceTypeAndUsedShare) {
  FakeDisk disk(20480 * Mb + Mb / 2, 100000 * Mb);  // beyond 32 bits
  PanelContent panel = disk.Panel();
  EXPECT_STREQ(panel.Text, "Disk \"D\": 20480.5 Mb free, Fixed");
  EXPECT_EQ(panel.TextColour, BlackColour);
  EXPECT_DOUBLE_EQ(panel.BarMaximum, 100000.0 * Mb);
  EXPECT_DOUBLE_EQ(panel.BarValue, 100000.0 * Mb - (20480.0 * Mb + Mb / 2));
  // The folder itself is asked, not the root of its drive; the type by its two characters.
  EXPECT_EQ(disk.AskedFolder, "D:\\rec");
  EXPECT_EQ(disk.AskedDrive, "D:");
  // The target folder is asked about itself, not through the current directory.
  EXPECT_EQ(QueryDisk(disk, "E:\\card\\").Letter, 'E');
  EXPECT_EQ(disk.AskedFolder, "E:\\card\\");
  EXPECT_EQ(disk.AskedDrive, "E:");

  EXPECT_STREQ(FakeDisk(0, 0).Panel().Text, "Disk \"D\":  0.0 Mb free, Fixed");
  EXPECT_DOUBLE_EQ(FakeDisk(0, 0).Panel().BarMaximum, 0.0);
  // More free than total (quotas, odd file systems): an empty bar, not a huge one.
  EXPECT_DOUBLE_EQ(FakeDisk(10 * Mb, 5 * Mb).Panel().BarValue, 0.0);
}

TEST(StatusLine, EveryDriveTypeHasItsLabelAndColour) {
  const struct {
    DriveType Type;
    const char* Label;
    uint32_t Colour;
  } rows[] = {{DriveType::Unknown, "", RedColour},
              {DriveType::NoRootDirectory, "", RedColour},
              {DriveType::Removable, "Removable", BlueColour},
              {DriveType::Fixed, "Fixed", BlackColour},
              {DriveType::Remote, "", BlackColour},
              {DriveType::CdRom, "", BlackColour},
              {DriveType::RamDisk, "", BlackColour},
              {static_cast<DriveType>(77), "", BlackColour}};
  for (const auto& row : rows) {
    PanelContent panel = FakeDisk(3 * Mb, 0, row.Type).Panel();
    EXPECT_EQ(panel.Text, std::string("Disk \"D\":  3.0 Mb free, ") + row.Label);
    EXPECT_EQ(panel.TextColour, row.Colour) << panel.Text;
  }
  // A network share: its "letter" is a backslash, and it has no root directory.
  FakeDisk share(0, 0, DriveType::NoRootDirectory);
  share.Directory = "\\\\server\\card";
  EXPECT_STREQ(share.Panel().Text, "Disk \"\\\":  0.0 Mb free, ");
  EXPECT_EQ(share.AskedDrive, "\\\\");
}

TEST(StatusLine, FailedQueriesSayTheSpaceIsUnknown) {
  PanelContent panel = FakeDisk(-1, 9 * Mb).Panel();
  EXPECT_STREQ(panel.Text, "Disk \"D\": free space unknown, Fixed");
  EXPECT_DOUBLE_EQ(panel.BarMaximum, 0.0);

  // No current directory (too long, or the query fails): red, no label, no bar.
  for (bool tooLong : {false, true}) {
    FakeDisk lost(5 * Mb, 9 * Mb);
    lost.FailCurrentDir = !tooLong;
    lost.Directory = "C:\\" + std::string(NameSize, 'x');
    panel = lost.Panel();
    EXPECT_STREQ(panel.Text, "Disk \"?\": free space unknown, ");
    EXPECT_EQ(panel.TextColour, RedColour);
    EXPECT_DOUBLE_EQ(panel.BarMaximum, 0.0);
    EXPECT_TRUE(lost.AskedFolder.empty());
  }
}

TEST(StatusLine, RecordPanelFollowsTheFileAndNeverPassesAHundred) {
  PanelContent shown = FakeDisk(Mb, 2 * Mb, DriveType::Removable).Panel();
  const char* path = "D:\\rec\\0001Dat";
  PanelContent record = RecordPanel(shown, path, 1000, 5, true, "");
  EXPECT_STREQ(record.Text, "Record to \"D:\\rec\\0001Dat\" : 0%");
  EXPECT_EQ(record.TextColour, BlueColour);
  EXPECT_DOUBLE_EQ(record.BarMaximum, 1000.0);
  EXPECT_DOUBLE_EQ(record.BarValue, 5.0);
  EXPECT_STREQ(RecordPanel(shown, path, 1000, 999, true, "").Text,
               "Record to \"D:\\rec\\0001Dat\" : 99%");
  record = RecordPanel(shown, path, 1000, 5000, true, "");
  EXPECT_STREQ(record.Text, "Record to \"D:\\rec\\0001Dat\" : 100%");
  EXPECT_DOUBLE_EQ(record.BarValue, 1000.0);

  // No file, or nothing to write: the text between files, without a bar.
  for (PanelContent idle : {RecordPanel(shown, path, 0, 0, true, "Next: x"),
                            RecordPanel(shown, path, 1000, 5, false, "Next: x")}) {
    EXPECT_STREQ(idle.Text, "Next: x");
    EXPECT_EQ(idle.TextColour, BlueColour);
    EXPECT_DOUBLE_EQ(idle.BarMaximum, 0.0);
  }
}

// Between files: the next file's plan, or how the last one ended; long names are cut
// in their middle so that the numbers stay.
TEST(StatusLine, BetweenFilesThePlanOrHowTheLastFileEnded) {
  DataFilePlan plan = {"0002Dat.VDF", 5 * Mb / 2, 1, false, 100, 90};
  LastFile last = {FileEnd::None, "0001Dat.VDF", Mb / 4, 2 * Mb};
  const std::pair<FileEnd, const char*> texts[] = {
      {FileEnd::None, "Next: 0002Dat.VDF, 2.5 MB, 1 channel × 100 Hz for 1 min 30 s"},
      {FileEnd::Stopped, "Stopped by the user: 0001Dat.VDF, 256.0 KB of 2.0 MB"},
      {FileEnd::Failed, "Failed: 0001Dat.VDF, 256.0 KB of 2.0 MB written"},
      {FileEnd::Whole, "Written whole: 0001Dat.VDF, 256.0 KB"}};
  for (auto [end, text] : texts) {
    last.End = end;
    EXPECT_EQ(IdleRecordText(last, plan), text);
  }
  for (std::string letters : {"x", "Д", "データ"}) {
    plan.FileName.clear();
    while (plan.FileName.size() < 700) {
      plan.FileName += letters;
    }
    plan.FileName += "0002.VDF";
    std::string text =
        RecordPanel(PanelContent(), "", 0, 0, false, IdleRecordText(LastFile(), plan)).Text;
    EXPECT_TRUE(IsUtf8(text.c_str(), text.size())) << letters;
    EXPECT_NE(text.find("...", 6), std::string::npos) << text;
    EXPECT_NE(text.find("0002.VDF, 2.5 MB, 1 channel"), std::string::npos) << text;
  }
}

TEST(StatusLine, PercentageOfLongRecordingsInSixtyFourBits) {
  // 1200 minutes at 100 kHz: done × 100 no longer fits 32 bits.
  const uint32_t cases[][3] = {{0, 0, 0},
                               {0, 7, 0},
                               {28125000, 28000000, 99},
                               {UINT32_MAX, UINT32_MAX / 2, 49},
                               {UINT32_MAX, UINT32_MAX - 1, 99},
                               {UINT32_MAX, UINT32_MAX, 100},
                               {3, 4, 100}};
  for (const auto& c : cases) {
    EXPECT_EQ(PercentDone(c[0], c[1]), static_cast<int32_t>(c[2])) << c[0] << " " << c[1];
  }
}

TEST(StatusLine, LongPathIsCutInTheMiddleAndKeepsThePercentage) {
  PanelContent disk;
  std::string path = "D:\\" + std::string(239, 'a') + "\\0001Dat";
  std::string text = RecordPanel(disk, path.c_str(), 1000, 420, true, "").Text;
  EXPECT_EQ(text.size(), PanelTextSize - 1);  // the whole room used
  EXPECT_EQ(text.substr(0, 14), "Record to \"D:\\");
  EXPECT_EQ(text.substr(text.size() - 15), "\\0001Dat\" : 42%");
  // A third of the room before the cut, the rest after it, where the name is.
  std::size_t room = PanelTextSize - 1 - 11 - 7;
  EXPECT_EQ(text.find("..."), 11 + (room - 3) / 3);
  // Cut between characters, whichever bytes the cuts meet: two- and three-byte ones.
  for (std::string letters : {"Д", "デー"}) {
    for (std::size_t shift = 0; shift < 3; ++shift) {
      std::string path = "C:\\" + std::string(shift, 'x');
      while (path.size() < 290) {
        path += letters;
      }
      std::string cut = RecordPanel(disk, (path + "\\0001Dat").c_str(), 2, 1, true, "").Text;
      EXPECT_TRUE(IsUtf8(cut.c_str(), cut.size())) << shift;
      EXPECT_EQ(cut.substr(cut.size() - 15), "\\0001Dat\" : 50%");
    }
  }
  // A path that fits is left whole.
  std::string shorter = "D:\\" + std::string(200, 'b');
  EXPECT_EQ(std::string(RecordPanel(disk, shorter.c_str(), 2, 1, true, "").Text),
            "Record to \"" + shorter + "\" : 50%");
}

TEST(StatusLine, BarIsNavyWhenTheCaptionWouldVanishInTheFace) {
  EXPECT_EQ(BarColour(0xFA9632, 0xF5F5F5), 0xFA9632u);
  EXPECT_EQ(BarColour(0xC0C0C0, 0xC0C0C0), NavyColour);
  EXPECT_EQ(BarColour(0xC3C1C2, 0xC0C0C0), NavyColour);  // only the two lowest bits differ
  EXPECT_EQ(BarColour(0xC4C0C0, 0xC0C0C0), 0xC4C0C0u);   // bit 2 differs
  EXPECT_EQ(BarColour(0xC0C0C0, 0xC0C0C4), 0xC0C0C0u);
}

// Left, top, right and bottom of each segment.
std::vector<std::vector<int32_t>> Segments(int32_t w, int32_t h, double maximum, double value) {
  std::vector<std::vector<int32_t>> out;
  for (const PanelRect& r : BarSegments(w, h, maximum, value)) {
    out.push_back({r.Left, r.Top, r.Right, r.Bottom});
  }
  return out;
}

TEST(StatusLine, BarSegmentsForGivenWidthsAndValues) {
  // A panel of 100 × 30: 94 pixels of bar, 10 high at the bottom, inside w − 3.
  auto full = Segments(100, 30, 10.0, 10.0);
  ASSERT_EQ(full.size(), 18u);
  for (std::size_t i = 0; i < full.size(); ++i) {
    int32_t left = 4 + 5 * static_cast<int32_t>(i);
    EXPECT_EQ(full[i], (std::vector<int32_t>{left, 19, left + 4, 29})) << i;
  }
  // Total 1000, done 5: (w − 6) × 5 ÷ 1000 pixels, nothing shown below one segment.
  EXPECT_TRUE(Segments(100, 30, 1000.0, 5.0).empty());
  auto half = Segments(100, 30, 1000.0, 500.0);  // filled 47, cut at filled + 3
  ASSERT_EQ(half.size(), 10u);
  EXPECT_EQ(half.back(), (std::vector<int32_t>{49, 19, 50, 29}));
  // Values outside 0 … maximum are clamped; no maximum, no bar.
  EXPECT_EQ(Segments(100, 30, 10.0, 50.0), full);
  EXPECT_TRUE(Segments(100, 30, 10.0, -3.0).empty());
  EXPECT_TRUE(Segments(100, 30, 0.0, 5.0).empty());
  // A low panel keeps the bar's top at 3; a narrow one has no room for a bar.
  auto low = Segments(50, 10, 1.0, 1.0);
  ASSERT_FALSE(low.empty());
  EXPECT_EQ(low[0], (std::vector<int32_t>{4, 3, 8, 9}));
  EXPECT_TRUE(Segments(5, 30, 1.0, 1.0).empty());
}

}  // namespace
