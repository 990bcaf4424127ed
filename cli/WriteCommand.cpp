#include "cli/WriteCommand.h"

#include <chrono>
#include <cinttypes>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "cli/ChoiceNames.h"
#include "cli/ProgressBar.h"
#include "common/Utf8.h"
#include "config/ConfigFiles.h"
#include "datafile/DataFileHeader.h"
#include "datafile/DataFileName.h"
#include "datafile/DataFilePlan.h"
#include "datafile/DataFileSize.h"
#include "datafile/DataFileWriter.h"
#include "recording/ListChoices.h"
#include "recording/ListLabels.h"
#include "recording/SavedState.h"

namespace {

// Takes the writer's question and failures: the overwrite question is answered from
// the options, a failure is kept for the exit code and standard error. The fill's
// thread wakes it.
class CommandOwner final : public WriterOwner {
 public:
  void WriterProgress(uint32_t, uint32_t) override {}
  void WriterStopped() override {}
  void FillAdvanced() override {
    {
      std::lock_guard<std::mutex> lock(Mutex);
      Advanced = true;
    }
    Wake.notify_one();
  }
  // Returns once the fill has advanced, or after `limit`.
  void WaitForFill(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(Mutex);
    Wake.wait_for(lock, limit, [this] { return Advanced; });
    Advanced = false;
  }
  bool ConfirmReplace(const char*) override { return Replace; }
  void WriterFailed(WriterFailure kind, const char* text) override {
    Failed = true;
    Failure = kind;
    Text = text;
  }

  bool Replace = false;
  bool Failed = false;
  WriterFailure Failure = WriterFailure::WriteFailed;
  std::string Text;

 private:
  std::mutex Mutex;
  std::condition_variable Wake;
  bool Advanced = false;
};

// The disk's failures and the refusals of the choices.
int ExitCodeOf(WriterFailure failure) {
  switch (failure) {
    case WriterFailure::CannotCreate:
    case WriterFailure::WriteFailed:
      return ExitWriteFailure;
    case WriterFailure::ReplaceRefused:
    case WriterFailure::NameTooLong:
    case WriterFailure::NoRoom:
    case WriterFailure::TooLargeForFat:
      break;
  }
  return ExitRefused;
}

struct Job {
  ProgramConfiguration Configuration;
  RecordingSettings Settings;
  PathTexts Paths;
  std::string NewConfiguration;  // made from the built-in text once the file is written
};

// A name holds at most 255 characters as Windows counts them, as in the dialog.
bool SetText(char (&field)[NameSize], const std::string& text) {
  if (text.size() >= sizeof field || Utf16Units(text.c_str(), text.size()) > NameUnits) {
    return false;
  }
  std::memcpy(field, text.c_str(), text.size() + 1);
  return true;
}

// A folder as OutputDirectory holds it: with its separator at the end.
bool SetFolder(char (&field)[NameSize], const std::string& folder) {
  bool ends = !folder.empty() && (folder.back() == PathSeparator || folder.back() == '/');
  return SetText(field, ends ? folder : folder + PathSeparator);
}

int Refuse(Console& console, const std::string& text) {
  Complain(console, text);
  return ExitRefused;
}

int Usage(Console& console, const std::string& text) {
  Complain(console, text);
  return ExitUsage;
}

// The configuration and the saved choices, as the dialog reads them at start-up; a
// missing configuration is read from the built-in text the dialog would write.
int LoadStart(const WriteRequest& request, FileSystem& files, Console& console, Job& job) {
  const std::string& folder = request.SettingsFolder;
  PathTexts folderPaths;
  if (!folder.empty()) {
    std::string problem = FolderProblem(files, folder);
    if (!problem.empty()) {
      return Refuse(console, problem);
    }
    if (!SetText(folderPaths.StartupDirectory, folder) ||
        !SetFolder(folderPaths.OutputDirectory, folder)) {
      return Refuse(console, "the folder name " + folder + " is too long");
    }
  }
  LoadDefaults(files, job.Configuration, job.Paths);
  std::string configName =
      request.ConfigFile.empty() ? InFolder(folder, ConfigurationFileName) : request.ConfigFile;
  if (request.ConfigFile.empty() && !files.Exists(configName.c_str())) {
    job.NewConfiguration = configName;
    ReadBuiltinConfiguration(job.Configuration);
  } else {
    std::string problem = FileProblem(files, configName);
    if (!problem.empty()) {
      return Refuse(console, "the configuration cannot be read: " + problem);
    }
    ReadConfiguration(files, configName.c_str(), job.Configuration);
  }
  if (!request.IgnoreSavedState) {
    ReadSavedState(files, InFolder(folder, SavedStateFileName).c_str(), job.Settings);
  }
  if (!folder.empty()) {
    std::memcpy(job.Paths.StartupDirectory, folderPaths.StartupDirectory, NameSize);
    std::memcpy(job.Paths.OutputDirectory, folderPaths.OutputDirectory, NameSize);
  }
  SettleSavedChoices(job.Settings, job.Configuration);
  return ExitDone;
}

// Choosing a target is the save-file dialog's part: numbering starts again at 1.
int ApplyTarget(const WriteRequest& request, FileSystem& files, Console& console, Job& job) {
  if (request.TargetFolder.empty() && request.BaseName.empty()) {
    return ExitDone;
  }
  RestartNumbering(job.Configuration);
  if (!request.TargetFolder.empty()) {
    std::string problem = FolderProblem(files, request.TargetFolder);
    if (!problem.empty()) {
      return Refuse(console, problem);
    }
    if (!SetFolder(job.Paths.OutputDirectory, request.TargetFolder)) {
      return Refuse(console, "the folder name " + request.TargetFolder + " is too long");
    }
  }
  const std::string& name = request.BaseName;
  if (!name.empty() && !SetText(job.Configuration.File, name)) {
    return Refuse(console, "the base name " + name + " is too long");
  }
  return ExitDone;
}

int ApplyChannels(const std::vector<std::string>& choices, bool groupB, Console& console,
                  Job& job) {
  const char* group = groupB ? "B" : "A";
  std::string option = groupB ? "--channel-b" : "--channel";
  bool given[ChannelsPerGroup] = {};
  for (const std::string& text : choices) {
    ChannelChoice choice;
    if (!ParseChannelChoice(text, choice)) {
      return Usage(console, option + " wants N=RANGE or N-M=RANGE, not " + text);
    }
    if (choice.First > choice.Last) {
      return Usage(console, option + " " + text + " names an empty range of channels");
    }
    if (choice.First < 1 || choice.Last > ChannelsPerGroup) {
      return Refuse(console,
                    std::string("there are ") + group + " channels 1 to 16 only, not " + text);
    }
    for (int32_t c = choice.First; c <= choice.Last; ++c) {
      if (given[c - 1]) {
        return Usage(console, std::string(group) + " channel " + std::to_string(c) +
                                  " is given twice; give each channel once");
      }
      given[c - 1] = true;
      int32_t position = FindRangePosition(job.Configuration, c, choice.Range);
      if (position < 0) {
        return Refuse(console, "the range \"" + choice.Range + "\" is not offered for " + group +
                                   " channel " + std::to_string(c) + "; it offers " +
                                   JoinLabels(ChannelRangeLabels(job.Configuration, c)));
      }
      if (!groupB) {
        job.Settings.ChAIndex[c - 1] = position;
        continue;
      }
      // B has the kind of its A channel; only the gain may differ.
      RecordingSettings trial = job.Settings;
      trial.ChBIndex[c - 1] = position;
      SyncChannelB(trial);
      if (trial.ChBIndex[c - 1] != position) {
        std::vector<std::string> labels = ChannelRangeLabels(job.Configuration, c);
        int32_t a = job.Settings.ChAIndex[c - 1];
        std::string aLabel = a >= 0 && a < static_cast<int32_t>(labels.size())
                                 ? JoinLabels({labels[static_cast<std::size_t>(a)]})
                                 : "without a choice";
        return Refuse(console, "B channel " + std::to_string(c) + " cannot be " + choice.Range +
                                   " while A channel " + std::to_string(c) + " is " + aLabel +
                                   ": a B channel has the kind of its A channel");
      }
      job.Settings.ChBIndex[c - 1] = position;
    }
  }
  return ExitDone;
}

void ApplyMode(int32_t& field, int choice) {
  if (choice != 0) {
    field = choice > 0 ? 1 : 0;
  }
}

std::string OfferedRates(const VisibleRateList& visible) {
  std::vector<std::string> labels;
  for (int32_t i = 0; i < visible.Count; ++i) {
    labels.push_back(RateLabel(visible.Rates[i].Displayed));
  }
  return JoinLabels(labels);
}

int ApplyRate(const WriteRequest& request, Console& console, Job& job) {
  RecordingSettings& settings = job.Settings;
  VisibleRateList visible = SettleRate(settings, job.Configuration, false);
  if (request.Rate.empty() && request.RatePosition == 0) {
    return ExitDone;
  }
  std::string channels = std::to_string(settings.ChannelCount) +
                         (settings.ChannelCount == 1 ? " channel" : " channels");
  int32_t position = request.RatePosition - 1;
  if (!request.Rate.empty()) {
    position = FindRatePosition(visible, request.Rate);
    if (position < 0) {
      return Refuse(console, "the rate " + request.Rate + " is not offered for " + channels +
                                 "; offered are " + OfferedRates(visible));
    }
  } else if (position < 0 || position >= visible.Count) {
    return Refuse(console, "there is no rate at position " + std::to_string(request.RatePosition) +
                               " for " + channels + "; the list has " +
                               std::to_string(visible.Count));
  }
  double wanted = visible.Rates[position].Raw;
  settings.FreqIndex = position;
  SettleRate(settings, job.Configuration, true);
  // A rate list out of order can make the dialog settle on another entry.
  if (settings.SampleRate != wanted) {
    return Refuse(console, "the configured rate list does not let " +
                               RateLabel(visible.Rates[position].Displayed) +
                               " be chosen; the dialog would record " +
                               RateLabel(visible.Rates[settings.FreqIndex].Displayed));
  }
  return ExitDone;
}

int ApplyOptions(const WriteRequest& request, Console& console, Job& job) {
  RecordingSettings& settings = job.Settings;
  const ProgramConfiguration& configuration = job.Configuration;
  if (int code = ApplyChannels(request.ChannelsA, false, console, job); code != ExitDone) {
    return code;
  }
  SyncChannelB(settings);
  ApplyMode(settings.SynchroMode, request.Synchro);
  ApplyMode(settings.CycleMode, request.Loop);
  ApplyMode(settings.ZeroMul, request.ResetMul);
  ApplyMode(settings.DigitalBIT0, request.Bit0);
  if (!request.ChannelsB.empty() && settings.SynchroMode == 0) {
    return Refuse(console, "B channels are recorded only in the \"A and B\" mode; add --sync");
  }
  if (int code = ApplyChannels(request.ChannelsB, true, console, job); code != ExitDone) {
    return code;
  }
  if (!request.Size.empty()) {
    settings.SizeIndex = FindSizePosition(configuration, request.Size);
    if (settings.SizeIndex < 0) {
      std::vector<std::string> labels = SizeTimeLabels(configuration);
      labels.resize(static_cast<std::size_t>(configuration.SizeCount));
      return Refuse(console, "the size " + request.Size + " is not offered; offered are " +
                                 JoinLabels(labels));
    }
  }
  if (!request.Duration.empty()) {
    settings.SizeIndex = FindDurationPosition(configuration, request.Duration);
    if (settings.SizeIndex < 0) {
      std::vector<std::string> labels = SizeTimeLabels(configuration);
      labels.erase(labels.begin(), labels.begin() + configuration.SizeCount);
      return Refuse(console, "the duration " + request.Duration + " is not offered; offered are " +
                                 (labels.empty() ? std::string("none") : JoinLabels(labels)));
    }
  }
  if (request.RecordNumber != 0) {
    settings.FileNumber = request.RecordNumber - 1;
  }
  if (int code = ApplyRate(request, console, job); code != ExitDone) {
    return code;
  }
  int32_t enabled = BuildChannelList(settings, nullptr);
  if (request.ResetMul > 0 && enabled < ZeroMulChannels) {
    return Refuse(console, "\"Reset MUL\" needs more than one A channel");
  }
  return ExitDone;
}

// What the file will hold, in the dialog's words.
std::string PlanLine(const Job& job) {
  return "Plan: " + PlanText(PlanDataFile(job.Settings, job.Configuration, job.Paths)) + "\n";
}

int Interrupted(Console& console, const std::string& name, uint32_t written, uint32_t total,
                uint32_t chunkBytes) {
  char text[1024];
  std::snprintf(text, sizeof text,
                "stopped: the %s file holds the header and %" PRIu32 " of %" PRIu32
                " chunks (%" PRId64 " bytes)",
                name.c_str(), written, total, DataFileBytes(written, chunkBytes));
  Complain(console, text);
  return ExitInterrupted;
}

int WriteFile(const WriteRequest& request, FileSystem& files, Console& console,
              const std::atomic<bool>& stop, Job& job) {
  std::string missing = ListWithoutChoice(job.Settings);
  if (!missing.empty()) {
    return Refuse(console, "the \"" + missing +
                               "\" list has no choice in the saved state; give one with an option");
  }
  ChannelList list;
  SettleRate(job.Settings, job.Configuration, false, &list);
  int32_t count = list.Count;
  if (count == 0) {
    return Refuse(console, "no A channel is switched on; give one with --channel N=RANGE");
  }

  std::string problem = WindowsNameProblem(job.Configuration.File);
  if (!problem.empty()) {
    return Refuse(console,
                  std::string("the base name \"") + job.Configuration.File + "\" " + problem);
  }

  CommandOwner owner;
  DataFileWriter writer(files, owner, job.Configuration, job.Settings, job.Paths);
  writer.ComposeFileName();
  std::string name = writer.FileName();
  bool readOnly = files.Exists(name.c_str()) && files.IsReadOnly(name.c_str());
  owner.Replace = request.Force || (request.Overwrite && !readOnly);
  console.Out << PlanLine(job);
  if (files.Exists(name.c_str()) && !owner.Replace) {
    return Refuse(console, "the " + name + " file already exists" +
                               (readOnly ? " and is read-only; give --force to replace it"
                                         : "; give --overwrite to replace it"));
  }
  if (request.DryRun) {
    console.Out << "Dry run: " << name << " would be written; nothing was made\n";
    return ExitDone;
  }
  console.Out.flush();
  if (!job.NewConfiguration.empty()) {
    WriteDefaultConfiguration(files, job.NewConfiguration.c_str());
    problem = FileProblem(files, job.NewConfiguration);
    if (!problem.empty()) {
      return Refuse(console, "the configuration cannot be made: " + problem);
    }
  }

  StartOutcome outcome = writer.StartDataFile(list, count);
  if (outcome != StartOutcome::Started && !job.NewConfiguration.empty()) {
    files.Remove(job.NewConfiguration.c_str());  // a refusal leaves nothing behind
  }
  if (outcome == StartOutcome::NotStarted) {
    Complain(console, "no memory for the fill buffer");
    return ExitWriteFailure;
  }
  if (outcome == StartOutcome::Refused) {
    Complain(console, owner.Text);
    return ExitCodeOf(owner.Failure);
  }

  uint32_t total = writer.TotalChunks();
  uint32_t chunkBytes = BytesPerChunk(job.Settings.ChannelCount, job.Settings.SynchroMode != 0);
  int64_t size = DataFileBytes(total, chunkBytes);
  ProgressBar progress(console.Err, console.Terminal);
  progress.Start(size);
  while (!writer.WriteInBackground()) {
    if (stop) {
      // As releasing the write button: flushed and closed where it stands, the number
      // advances.
      writer.StopDataFile();
      writer.ComposeFileName();
      progress.Clear();
      if (!owner.Failed) {
        int64_t held = files.SizeOf(name.c_str()) - HeaderSize;
        uint32_t chunks = held > 0 ? static_cast<uint32_t>(held / chunkBytes) : 0;
        return Interrupted(console, name, chunks, total, chunkBytes);
      }
      break;
    }
    progress.Update(DataFileBytes(writer.ChunksOnDisk(), chunkBytes));
    owner.WaitForFill(std::chrono::milliseconds(100));  // Ctrl-C is seen within that
  }
  progress.Clear();
  if (owner.Failed) {
    Complain(console, owner.Text);
    return ExitCodeOf(owner.Failure);
  }
  console.Out << "Wrote " << name << " (" << size << " bytes)\n";
  return ExitDone;
}

}  // namespace

int RunWriteCommand(const WriteRequest& request, FileSystem& files, Console& console,
                    const std::atomic<bool>& stop) {
  Job job;
  int code = LoadStart(request, files, console, job);
  if (code == ExitDone) {
    code = ApplyTarget(request, files, console, job);
  }
  if (code == ExitDone) {
    code = ApplyOptions(request, console, job);
  }
  if (code == ExitDone) {
    code = WriteFile(request, files, console, stop, job);
  }
  return code;
}
