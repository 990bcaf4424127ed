#include "cli/ChoicesCommand.h"

#include <vector>

#include "cli/ChoiceNames.h"
#include "cli/ConfigSource.h"
#include "cli/JsonText.h"
#include "recording/ListChoices.h"
#include "recording/ListLabels.h"

namespace {

std::vector<std::string> Trimmed(const std::vector<std::string>& labels) {
  std::vector<std::string> trimmed;
  for (const std::string& label : labels) {
    trimmed.push_back(JoinLabels({label}));
  }
  return trimmed;
}

struct Offered {
  std::vector<std::string> Rates;
  std::vector<std::string> Sizes;
  std::vector<std::string> Durations;
  std::vector<std::string> Differential;  // channels 1 to 8
  std::vector<std::string> SingleEnded;   // channels 9 to 16
};

Offered OfferedFor(const ChoicesRequest& request, const ProgramConfiguration& configuration) {
  Offered offered;
  RecordingSettings settings;
  for (int32_t c = 0; c < ChannelsPerGroup; ++c) {
    settings.ChAIndex[c] = c < request.Channels ? 1 : 0;
  }
  VisibleRateList visible = SettleRate(settings, configuration, false);
  for (int32_t i = 0; i < visible.Count; ++i) {
    offered.Rates.push_back(RateLabel(visible.Rates[i].Displayed));
  }
  std::vector<std::string> sizeTime = Trimmed(SizeTimeLabels(configuration));
  auto sizes = sizeTime.begin() + configuration.SizeCount;
  offered.Sizes.assign(sizeTime.begin(), sizes);
  offered.Durations.assign(sizes, sizeTime.end());
  offered.Differential = Trimmed(ChannelRangeLabels(configuration, 1));
  offered.SingleEnded = Trimmed(ChannelRangeLabels(configuration, ChannelsWithDifferential + 1));
  return offered;
}

std::string Text(const ChoicesRequest& request, const Offered& offered,
                 const std::string& description) {
  std::string channels =
      std::to_string(request.Channels) + (request.Channels == 1 ? " channel" : " channels");
  std::string text = "Compared with " + description + "\n";
  text += "Offered for " + channels + (request.Synchro ? " in the \"A and B\" mode" : "") + ":\n";
  text += "  --rate       " + JoinLabels(offered.Rates) + "\n";
  text += "  --size       " + JoinLabels(offered.Sizes) + "\n";
  text += "  --duration   " + (offered.Durations.empty() ? "none" : JoinLabels(offered.Durations)) +
          "\n";
  text += "  --channel    1-8: " + JoinLabels(offered.Differential) + "\n";
  text += "               9-16: " + JoinLabels(offered.SingleEnded) + "\n";
  if (request.Synchro) {
    text +=
        "  --channel-b  the same lists; a B channel has the kind of its A channel (off, Gnd, "
        "single-ended or D)\n";
  }
  return text;
}

std::string Json(const ChoicesRequest& request, const Offered& offered, const std::string& file) {
  std::string ranges = "{\"1-8\":" + JsonList(offered.Differential) +
                       ",\"9-16\":" + JsonList(offered.SingleEnded) + "}";
  return "{\"configuration\":" + (file.empty() ? std::string("null") : JsonString(file)) +
         ",\"channels\":" + std::to_string(request.Channels) +
         ",\"a_and_b\":" + (request.Synchro ? "true" : "false") +
         ",\"rates\":" + JsonList(offered.Rates) + ",\"sizes\":" + JsonList(offered.Sizes) +
         ",\"durations\":" + JsonList(offered.Durations) + ",\"ranges\":" + ranges +
         ",\"b_ranges\":" + (request.Synchro ? ranges : "null") + "}\n";
}

}  // namespace

int RunChoicesCommand(const ChoicesRequest& request, FileSystem& files, Console& console) {
  ConfigSource source;
  if (int code = LoadConfigSource(files, console, request, source); code != ExitDone) {
    return code;
  }
  Offered offered = OfferedFor(request, source.Configuration);
  console.Out << (request.Json ? Json(request, offered, source.File)
                               : Text(request, offered, source.Description));
  return ExitDone;
}
