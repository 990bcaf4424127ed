#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <cstring>
#include <limits>

#include "ProgramVersion.h"
#include "cli/ChoicesCommand.h"
#include "cli/ExamineCommand.h"
#include "cli/Terminal.h"
#include "cli/WriteCommand.h"
#include "recording/RecordingSettings.h"

namespace {

const char* const WriteExamples = R"(Examples:
  zq347cli write --dry-run --channel 1-4=+-10V --rate 10KHz --duration "10 min"
      the plan only: the file, its size and the recording's length; nothing is made
  zq347cli write --channel 1-4=+-10V --rate 10KHz --duration "10 min" --loop
      writes 0001Dat.VDF here, from the ZQ347Fill.cfg and ZQ347Fill.sav of this
      folder (the configuration is created when absent); --dir names the card
  zq347cli write --fresh --channel "1=+-1V D" --sync --channel-b "1=+-0.1V D" \
      --size 1M --number 7 --overwrite
Ranges, rates, sizes and durations are named as the dialog's lists show them
(zq347cli choices lists them); blanks and letter case do not matter. Exit codes:
0 done, 1 refused (also a named file or folder that cannot be used, a name that
Windows cannot hold), 2 usage, 3 write failure, 130 stopped by Ctrl-C.
)";

const char* const ExamineExamples = R"(Examples:
  zq347cli inspect --verify .
      every data file of the folder (or card), and a summary: whole, stopped early,
      damaged
  zq347cli inspect --json 0001Dat.VDF
  zq347cli inspect - < 0001Dat.VDF
Exit codes, the worst of the files: 0 data files (with --verify: each of whole
chunks that match a size or duration of the configuration, all fill), 1 not a
data file, a file or folder that cannot be used, and with --verify a changed
byte, a file that ends inside a chunk or matches no plan, 2 usage, 3 read failure.
)";

const char* const ChoicesExamples = R"(Examples:
  zq347cli choices --channels 4
  zq347cli choices --channels 16 --sync --json
)";

// An empty text would leave the saved choice as it stands, as if the option were absent.
const CLI::Validator NotEmpty(
    [](std::string& value) { return value.empty() ? std::string("must not be empty") : ""; }, "",
    "NOT_EMPTY");

// Where the configuration comes from, in each command's own words.
void AddConfigOptions(CLI::App& command, std::string& settingsFolder, const char* folderText,
                      std::string& configFile, const char* fileText) {
  command.add_option("--settings-dir", settingsFolder, folderText)->type_name("DIR");
  command.add_option("--config", configFile, fileText)->type_name("FILE");
}

void AddWriteOptions(CLI::App& command, WriteRequest& request) {
  AddConfigOptions(command, request.SettingsFolder,
                   "Folder of ZQ347Fill.cfg (created when absent) and ZQ347Fill.sav "
                   "(default: the current folder)",
                   request.ConfigFile, "Read this configuration file instead (never created)");
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
  command.add_flag("--dry-run", request.DryRun,
                   "Print the plan only: no file or folder is made, not even ZQ347Fill.cfg");
  command.footer(WriteExamples);
}

void AddExamineOptions(CLI::App& command, ExamineRequest& request) {
  command
      .add_option("files", request.Paths,
                  "Data files, folders (every data file in them) or - for standard input")
      ->required();
  AddConfigOptions(command, request.SettingsFolder,
                   "Folder of the ZQ347Fill.cfg that gives labels, sizes and the fill word "
                   "(default: the current folder; without one there, the built-in one)",
                   request.ConfigFile, "Read this configuration file instead");
  command.add_flag("--verify", request.Verify,
                   "Check that every byte after the header is the fill word and that the "
                   "chunks match a size or duration of the configuration");
  command.add_flag("--json", request.Json,
                   "One JSON object a line, UTF-8: one per file, then the summary. A file name "
                   "that is not valid UTF-8 shows U+FFFD for each stray byte in \"file\" and "
                   "comes whole, as hex bytes, in \"file_bytes\"");
  command.footer(ExamineExamples);
}

void AddChoicesOptions(CLI::App& command, ChoicesRequest& request) {
  command.add_option("--channels", request.Channels, "A channels switched on (default 1)")
      ->check(CLI::Range(1, int32_t{ChannelsPerGroup}));
  command.add_flag("--sync", request.Synchro, "The A and B mode: B channels too");
  AddConfigOptions(command, request.SettingsFolder,
                   "Folder of the ZQ347Fill.cfg to list (default: as inspect)", request.ConfigFile,
                   "Read this configuration file instead");
  command.add_flag("--json", request.Json, "One JSON object");
  command.footer(ChoicesExamples);
}

// Any argument --json asks for failures as JSON, even when the rest cannot be parsed.
bool AsksForJson(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, Console& console) {
  CLI::App app{"Writes, plans and inspects the data files of the ZQ347SD logger.", ProgramName};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string(ProgramName) + " " + ZQ_VERSION);
  // A path such as /media/card is a path on Windows too; the subcommands inherit this.
  app.allow_windows_style_options(false);
  WriteRequest write;
  ExamineRequest inspect;
  ChoicesRequest choices;
  CLI::App* writeCommand = app.add_subcommand(
      "write", "Write one data file, as the dialog does for the same choices, or plan it");
  AddWriteOptions(*writeCommand, write);
  CLI::App* inspectCommand =
      app.add_subcommand("inspect", "Show what the logger will record into data files");
  AddExamineOptions(*inspectCommand, inspect);
  CLI::App* choicesCommand =
      app.add_subcommand("choices", "List the rates, sizes, durations and ranges offered");
  AddChoicesOptions(*choicesCommand, choices);

  console.Json = AsksForJson(argc, argv);
  // CLI11 would take a misspelt command for an unexpected argument.
  if (argc > 1 && argv[1][0] != '-' &&
      app.get_subcommands([&](CLI::App* command) { return command->check_name(argv[1]); })
          .empty()) {
    std::string known;
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
      known += (known.empty() ? "" : ", ") + command->get_name();
    }
    return Fail(console, ExitUsage,
                std::string("unknown command ") + argv[1] + "; the commands are " + known);
  }
  // CLI11 reports through exceptions; they end here.
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {  // --help, --version
    return app.exit(done, console.Out, console.Err);
  } catch (const CLI::ParseError& error) {
    return Fail(console, ExitUsage,
                std::string(error.what()) + " (see " + ProgramName + " --help)");
  }

  if (inspectCommand->parsed()) {
    return RunExamineCommand(inspect, SystemFileSystem(), console);
  }
  if (choicesCommand->parsed()) {
    return RunChoicesCommand(choices, SystemFileSystem(), console);
  }
  CatchInterrupt();
  int code = RunWriteCommand(write, SystemFileSystem(), console, InterruptRequested);
  ReleaseInterrupt();
  return code;
}
