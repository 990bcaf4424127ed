#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <tuple>

#include "recording/SavedState.h"
#include "tests/TestFiles.h"
#include "tests/cli/CliTestSupport.h"

namespace {

namespace fs = std::filesystem;

class WriteCommandTest : public ::testing::Test {
 protected:
  WriteCommandTest() {
    Request.SettingsFolder = Folder.Path();
    Request.IgnoreSavedState = true;
    // Made here, so that the file system of a test sees only the data file's writes.
    WriteDefaultConfiguration(SystemFileSystem(), Name(ConfigurationFileName).c_str());
  }

  std::string Name(const char* file) const { return Folder.File(file); }

  TempFolder Folder;
  WriteRequest Request;
};

TEST_F(WriteCommandTest, OptionsOverrideTheSavedStateAndFillWhatItLacks) {
  WriteBytes(Name(SavedStateFileName),
             "FreqIndex = 0\r\nSizeIndex = 33\r\nFileNumber = 2\r\nChA1Index = 2\r\nChA2Index = 2");
  Request.IgnoreSavedState = false;
  CliRun run = RunWrite(Request);
  EXPECT_EQ(run.Code, ExitRefused);
  EXPECT_EQ(run.Err,
            "zq347cli: the \"Size/Time per channel\" list has no choice in the saved "
            "state; give one with an option\n");
  Request.Size = "2K";
  Request.ChannelsA = {"2=OFF"};
  Request.RecordNumber = 1000;  // the last in the list
  run = RunWrite(Request);
  ASSERT_EQ(run.Code, ExitDone) << run.Err;
  // One channel of 2 Ks; the rate chosen for two channels stays when one goes off.
  std::string bytes = ReadBytes(Name("01000Dat.VDF"));
  ASSERT_EQ(bytes.size(), 512u + 8 * 512);
  EXPECT_EQ(static_cast<uint8_t>(bytes[0x079]), 1);
  EXPECT_EQ(static_cast<uint8_t>(bytes[0x074]) | static_cast<uint8_t>(bytes[0x075]) << 8 |
                static_cast<uint8_t>(bytes[0x076]) << 16,
            50000);
}

TEST_F(WriteCommandTest, AReadOnlyFileIsReplacedOnlyWhenForced) {
  // Without --overwrite the real program's runs show the refusal.
  Request.ChannelsA = {"1=+-10V"};
  WriteBytes(Name("0001Dat.VDF"), "old");
  fs::permissions(Name("0001Dat.VDF"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  Request.Overwrite = true;
  CliRun run = RunWrite(Request);
  EXPECT_EQ(run.Code, ExitRefused);
  EXPECT_NE(run.Err.find("is read-only; give --force"), std::string::npos) << run.Err;
  Request.Force = true;
  EXPECT_EQ(RunWrite(Request).Code, ExitDone);
  EXPECT_EQ(ReadBytes(Name("0001Dat.VDF")).size(), 512u + 4 * 512);
}

// Stops the command at the first write of chunks, as Ctrl-C does, and holds that write
// until the command has seen it.
class InterruptingFileSystem : public FaultyFileSystem {
 public:
  int64_t Write(FileHandle file, const void* data, uint32_t size) override {
    if (size != 512 && !Stop.exchange(true)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    return FaultyFileSystem::Write(file, data, size);
  }
  std::atomic<bool> Stop{false};
};

TEST_F(WriteCommandTest, CtrlCStopsTheFileWhereItStands) {
  InterruptingFileSystem files;
  Request.ChannelsA = {"1-2=+-10V"};
  Request.Size = "Size 1 Ms";
  CliRun run = RunWrite(Request, files, files.Stop);
  EXPECT_EQ(run.Code, ExitInterrupted);
  // The first piece: 256 KiB.
  EXPECT_NE(run.Err.find("holds the header and 256 of 4096 chunks (262656 bytes)"),
            std::string::npos)
      << run.Err;
  EXPECT_EQ(ReadBytes(Name("0001Dat.VDF")).size(), 262656u);
}

TEST_F(WriteCommandTest, DiskFailuresAndRefusalsHaveTheirOwnCodes) {
  // The texts are the writer's; here the codes they end with.
  Request.ChannelsA = {"1=+-10V"};
  Request.Size = "64K";
  Request.Overwrite = true;
  FaultyFileSystem cutOff, full, locked;
  cutOff.WriteBudget = 512 + 3 * 512 + 100;
  full.Free = 1000;
  locked.FailCreate = true;
  for (auto [files, code, text] :
       {std::tuple{&cutOff, ExitWriteFailure, "stopped after 2048 of 131584 bytes"},
        {&full, ExitRefused, "but its disk has only"},
        {&locked, ExitWriteFailure, "cannot be created. Simulated failure."}}) {
    CliRun run = RunWrite(Request, *files);
    EXPECT_EQ(run.Code, code) << text;
    EXPECT_NE(run.Err.find(text), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out.find("Wrote"), std::string::npos) << run.Out;
  }
}

TEST_F(WriteCommandTest, ATargetRestartsTheNumberingAsTheSaveDialogDoes) {
  WriteBytes(Name(ConfigurationFileName), "FileAutoIncrement = 5\r\n");
  TempFolder target;
  Request.ChannelsA = {"1=+-10V"};
  CliRun run = RunWrite(Request);
  ASSERT_EQ(run.Code, ExitDone) << run.Err;
  EXPECT_TRUE(FileExists(Name("0005Dat.VDF")));
  Request.TargetFolder = target.Path();
  Request.BaseName = "Run";
  ASSERT_EQ(RunWrite(Request).Code, ExitDone);
  EXPECT_TRUE(FileExists(target.File("0001Run.VDF")));
  Request.BaseName = std::string(256, 'n');  // one more than the field holds
  run = RunWrite(Request);
  EXPECT_EQ(run.Code, ExitRefused);
  EXPECT_NE(run.Err.find("the base name nnn"), std::string::npos) << run.Err;
}

// The plan in the dialog's words. A dry run and a refusal leave the folder as it was,
// without even ZQ347Fill.cfg; a name Windows cannot hold is refused on every system.
TEST(WritePlan, ADryRunAndARefusalMakeNothing) {
  TempFolder empty;
  WriteRequest request;
  request.SettingsFolder = empty.Path();
  request.ChannelsA = {"1-4=+-10V"};
  request.Rate = "10KHz";
  request.Duration = "10 min";
  request.DryRun = true;
  for (const char* name : {"", "CONSOLE", "COM0", "Данные", "a.b", "Run."}) {
    request.BaseName = name;
    CliRun run = RunWrite(request);
    std::string file = std::string("0001") + (name[0] != '\0' ? name : "Dat") + ".VDF";
    EXPECT_EQ(run.Code, ExitDone) << run.Err;
    EXPECT_EQ(run.Out, "Plan: " + file +
                           ", 47.3 MB, 4 channels × 10 kHz for 10 min 0 s\nDry run: " +
                           empty.File(file) + " would be written; nothing was made\n");
  }
  request.DryRun = false;
  for (const char* name :
       {"a:b", "a*b", "sub/Run", "a\\b", "a<b", "tab\there", "CON", "nul.txt", "Com1", "lpt9.x"}) {
    request.BaseName = name;
    CliRun run = RunWrite(request);
    EXPECT_EQ(run.Code, ExitRefused) << name;
    EXPECT_NE(run.Err.find(std::string("the base name \"") + name + "\" "), std::string::npos)
        << run.Err;
  }
  EXPECT_TRUE(fs::is_empty(empty.Path()));

  request.BaseName = "";
  request.Duration = "";
  request.Size = "1K";
  CliRun run = RunWrite(request);
  EXPECT_EQ(run.Out, "Plan: 0001Dat.VDF, 8.5 KB, 4 channels × 10 kHz for 99 ms\nWrote " +
                         empty.File("0001Dat.VDF") + " (8704 bytes)\n");
  EXPECT_EQ(FileSizeOf(empty.File(ConfigurationFileName)), 1619);
}

}  // namespace
