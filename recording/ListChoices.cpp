#include "recording/ListChoices.h"

#include "recording/ListLabels.h"

namespace {

int32_t InList(int32_t position, int32_t size) {
  return position >= 0 && position < size ? position : -1;
}

}  // namespace

VisibleRateList SettleSavedChoices(RecordingSettings& settings,
                                   const ProgramConfiguration& configuration) {
  SyncChannelB(settings);
  for (int32_t k = 0; k < ChannelsPerGroup; ++k) {
    int32_t size = static_cast<int32_t>(ChannelRangeLabels(configuration, k + 1).size());
    settings.ChAIndex[k] = InList(settings.ChAIndex[k], size);
    settings.ChBIndex[k] = InList(settings.ChBIndex[k], size);
  }
  settings.SizeIndex =
      InList(settings.SizeIndex, configuration.SizeCount + configuration.TimeCount);
  settings.FileNumber = InList(settings.FileNumber, RecordNumbers);
  return SettleRate(settings, configuration, true);
}

VisibleRateList SettleRate(RecordingSettings& settings, const ProgramConfiguration& configuration,
                           bool takeIndex, ChannelList* list) {
  int32_t count = BuildChannelList(settings, list);
  VisibleRateList visible =
      VisibleRates(configuration, RateLimit(settings, configuration, count), settings.ChannelCount);
  SelectRate(settings, visible, takeIndex);
  settings.FreqIndex = InList(settings.FreqIndex, visible.Count);
  return visible;
}

std::string ListWithoutChoice(const RecordingSettings& settings) {
  if (settings.FreqIndex < 0) {
    return "Sampling rate per channel";
  }
  if (settings.SizeIndex < 0) {
    return "Size/Time per channel";
  }
  if (settings.FileNumber < 0) {
    return "Record number";
  }
  for (int32_t k = 0; k < ChannelsPerGroup; ++k) {
    int32_t a = settings.ChAIndex[k];
    if (a == 0) {
      continue;  // off: not recorded
    }
    if (a < 0 || (settings.SynchroMode != 0 && settings.ChBIndex[k] < 0)) {
      return std::to_string(k + 1) + (a < 0 ? " A" : " B");
    }
  }
  return std::string();
}
