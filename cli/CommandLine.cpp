#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <limits>

#include "ProgramVersion.h"
#include "cli/ExamineCommand.h"
#include "cli/Terminal.h"
#include "cli/WriteCommand.h"

namespace {

const char* const WriteExamples = R"(Examples:
  zq347cli write
      one file from the choices the dialog saved in the current folder
  zq347cli write --settings-dir card-setup --dir /media/card --channel 1-4=+-10V \
      --rate 10KHz --duration "10 min" --loop
  zq347cli write --fresh --channel "1=+-1V D" --sync --channel-b "1=+-0.1V D" \
      --size 1M --number 7 --overwrite
Ranges, rates, sizes and durations are named as the dialog's lists show them;
blanks and letter case do not matter. Exit codes: 0 done, 1 refused (also a named
file or folder that cannot be used), 2 usage, 3 write failure, 130 stopped by Ctrl-C.
)";

const char* const ExamineExamples = R"(Examples:
  zq347cli inspect /media/card/0001Dat.VDF
  zq347cli inspect --verify --json 0001Dat.VDF
Exit codes: 0 a data file (with --verify: whole chunks, all fill), 1 not a data
file, a file or folder that cannot be used, and with --verify a changed byte, a
file that ends inside a chunk or holds none, 2 usage, 3 read failure.
)";

// An empty text would leave the saved choice as it stands, as if the option were absent.
const CLI::Validator NotEmpty(
    [](std::string& value) { return value.empty() ? std::string("must not be empty") : ""; }, "",
    "NOT_EMPTY");

void AddWriteOptions(CLI::App& command, WriteRequest& request) {
  command
      .add_option("--settings-dir", request.SettingsFolder,
                  "Folder of ZQ347Fill.cfg (created when absent) and ZQ347Fill.sav "
                  "(default: the current folder)")
      ->type_name("DIR");
  command
      .add_option("--config", request.ConfigFile,
                  "Read this configuration file instead (never created)")
      ->type_name("FILE");
  command.add_flag("--fresh", request.IgnoreSavedState,
                   "Start from the first entry of every list, all channels off, instead of "
                   "ZQ347Fill.sav");
  command
      .add_option("--dir", request.TargetFolder,
                  "Folder of the data file (default: the settings folder)")
      ->type_name("DIR");
  command
      .add_option("--name", request.BaseName,
                  "Base name of the data file (default: the configuration's, Dat)")
      ->type_name("NAME")
      ->check(NotEmpty);
  CLI::Option* rate =
      command
          .add_option("--rate", request.Rate, "Sampling rate per channel: a label (10KHz) or Hz")
          ->check(NotEmpty);
  command
      .add_option("--rate-position", request.RatePosition,
                  "Sampling rate by its place in the offered list, 1 for the first")
      ->excludes(rate)
      ->check(CLI::Range(1, std::numeric_limits<int32_t>::max()));
  CLI::Option* size = command
                          .add_option("--size", request.Size,
                                      "Size per channel: a label (\"Size 1 Ms\") or samples")
                          ->check(NotEmpty);
  command
      .add_option("--duration", request.Duration,
                  "Time per channel: a label (\"Time 5 min.\") or minutes")
      ->excludes(size)
      ->check(NotEmpty);
  command.add_option("--number", request.RecordNumber, "Record number, 1 to 1000")
      ->check(CLI::Range(1, 1000));
  command
      .add_option("--channel", request.ChannelsA,
                  "A channel range, e.g. 3=+-1V or 1-8=OFF; each channel once")
      ->type_name("N=RANGE");
  command
      .add_option("--channel-b", request.ChannelsB,
                  "B channel range in the A and B mode, e.g. 3=+-0.1V")
      ->type_name("N=RANGE");
  command.add_flag("--sync,!--no-sync", request.Synchro, "A and B channels together");
  command.add_flag("--loop,!--no-loop", request.Loop, "Loop record");
  command.add_flag("--reset-mul,!--no-reset-mul", request.ResetMul,
                   "Reset the amplifier at every multiplexer switch (Reset MUL)");
  command.add_flag("--bit0,!--no-bit0", request.Bit0, "Record bit 0 of the digital input");
  command.add_flag("--overwrite", request.Overwrite, "Replace an existing data file");
  command.add_flag("--force", request.Force, "Replace it even when it is read-only");
  command.footer(WriteExamples);
}

void AddExamineOptions(CLI::App& command, ExamineRequest& request) {
  command.add_option("file", request.File, "The data file, or a pipe, read to its end")->required();
  command.add_option("--config", request.ConfigFile,
                     "Configuration for labels, sizes and the fill word (default: "
                     "ZQ347Fill.cfg of the current folder when there, else the built-in one)");
  command.add_flag("--verify", request.Verify,
                   "Check that every byte after the header is the fill word");
  command.add_flag("--json", request.Json,
                   "Print one JSON object, UTF-8. A file name that is not valid UTF-8 shows "
                   "U+FFFD for each stray byte in \"file\" and comes whole, as hex bytes, in "
                   "\"file_bytes\"");
  command.footer(ExamineExamples);
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, Console& console) {
  CLI::App app{"Writes and inspects the data files of the ZQ347SD logger.", ProgramName};
  app.set_version_flag("--version", ZQ_VERSION);
  app.require_subcommand(1);
  // A path such as /media/card is a path on Windows too; the subcommands inherit this.
  app.allow_windows_style_options(false);
  WriteRequest write;
  ExamineRequest inspect;
  CLI::App* writeCommand =
      app.add_subcommand("write", "Write one data file, as the dialog does for the same choices");
  AddWriteOptions(*writeCommand, write);
  CLI::App* inspectCommand =
      app.add_subcommand("inspect", "Show what the logger will record into a data file");
  AddExamineOptions(*inspectCommand, inspect);

  // CLI11 reports through exceptions; they end here.
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& help) {  // --help or --version
    return app.exit(help, console.Out, console.Err);
  } catch (const CLI::ParseError& error) {
    Complain(console, std::string(error.what()) + " (see " + ProgramName + " --help)");
    return ExitUsage;
  }

  if (inspectCommand->parsed()) {
    return RunExamineCommand(inspect, SystemFileSystem(), console);
  }
  CatchInterrupt();
  int code = RunWriteCommand(write, SystemFileSystem(), console, InterruptRequested);
  ReleaseInterrupt();
  return code;
}
