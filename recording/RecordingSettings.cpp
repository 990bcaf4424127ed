#include "recording/RecordingSettings.h"

#include "common/Numbers.h"

namespace {

constexpr uint32_t ClockTimes128 = 3072000000u;  // 24 MHz x 128, for rounding in 1/128
constexpr uint32_t MaxDivider = 65535;
constexpr uint32_t Prescaler = 12;
constexpr double Clock = 24000000.0;

// Beyond these a duration's block count is far past any file the writer makes.
constexpr int64_t MaxBlocks = int64_t{1} << 50;

}  // namespace

uint32_t ChannelCode(const RecordingSettings& settings, int32_t channel) {
  uint32_t a = static_cast<uint32_t>(settings.ChAIndex[channel]) - 1;
  uint32_t b =
      settings.SynchroMode != 0 ? static_cast<uint32_t>(settings.ChBIndex[channel]) - 1 : 0;
  return (b << 16) | a;
}

void SyncChannelB(RecordingSettings& settings) {
  for (int32_t k = 0; k < ChannelsPerGroup; ++k) {
    int32_t a = settings.ChAIndex[k];
    int32_t& b = settings.ChBIndex[k];
    if (a == 0 || a == 1) {
      b = a;
    } else if (a >= 2 && a <= 5) {
      if (b < 2 || b > 5) {
        b = a;
      }
    } else if (b >= 0 && b <= 5) {
      b = a;  // differential, or no selection
    }
  }
}

int32_t BuildChannelList(RecordingSettings& settings, ChannelList* list) {
  int32_t count = 0;
  for (int32_t channel = 0; channel < ChannelsPerGroup; ++channel) {
    if (settings.ChAIndex[channel] == 0) {
      continue;
    }
    if (list != nullptr) {
      list->Entries[count] = {channel, ChannelCode(settings, channel)};
    }
    ++count;
  }
  if (list != nullptr) {
    list->Count = count;
  }
  settings.ChannelCount = count > 0 ? count : 1;
  return count;
}

double RateLimit(const RecordingSettings& settings, const ProgramConfiguration& configuration,
                 int32_t count) {
  double ceiling = count > 1 ? configuration.MaxFreqMCh : configuration.MaxFreq;
  return ceiling / settings.ChannelCount;
}

VisibleRateList VisibleRates(const ProgramConfiguration& configuration, double limit,
                             int32_t channelCount) {
  VisibleRateList visible;
  int32_t count = ClampInt(configuration.FreqCount, 0, ListCapacity);
  for (int32_t i = 0; i < count; ++i) {
    double raw = configuration.FreqArray[i];
    if (!(raw <= limit)) {
      continue;
    }
    double aggregate = channelCount * raw;
    QuantiseSampleRate(aggregate);
    visible.Rates[visible.Count++] = {raw, aggregate / channelCount};
  }
  return visible;
}

void SelectRate(RecordingSettings& settings, const VisibleRateList& visible, bool takeIndex) {
  settings.FreqIndex = ClampInt(settings.FreqIndex, 0, visible.Count);
  if (takeIndex && settings.FreqIndex < visible.Count) {
    settings.SampleRate = visible.Rates[settings.FreqIndex].Raw;
  }
  for (int32_t i = 0; i < visible.Count; ++i) {
    if (visible.Rates[i].Raw <= settings.SampleRate) {
      settings.SampleRate = visible.Rates[i].Raw;
      settings.FreqIndex = i;
      return;
    }
  }
}

uint32_t QuantiseSampleRate(double& rate) {
  // A rate that is not positive is the slowest the clock gives, one beyond 32 bits the fastest;
  // wrapping either would put a rate far above the ceiling into the list and the header.
  int64_t whole = TruncateToInt64(rate + 0.5);
  uint32_t a = whole <= 0 ? 0 : whole > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(whole);
  uint32_t divider = Prescaler * MaxDivider;
  if (a != 0) {
    divider = (ClockTimes128 / a + 64) >> 7;
    if (divider >= MaxDivider) {
      uint32_t prescaled = (ClockTimes128 / (Prescaler * a) + 64) >> 7;
      divider = Prescaler * (prescaled > MaxDivider ? MaxDivider : prescaled);
    }
  }
  // Above 48 MHz the divider would round to 0; the clock cannot go faster than
  // dividing by 1.
  if (divider == 0) {
    divider = 1;
  }
  rate = Clock / divider;
  return static_cast<uint32_t>(rate + 0.5);
}

int64_t ComputeChunkCount(const RecordingSettings& settings,
                          const ProgramConfiguration& configuration) {
  int32_t sizeCount = ClampInt(configuration.SizeCount, 0, ListCapacity);
  int32_t timeCount = ClampInt(configuration.TimeCount, 0, ListCapacity);
  if (settings.SizeIndex >= 0 && settings.SizeIndex < sizeCount) {
    int32_t size = configuration.SizeArray[settings.SizeIndex];
    return (static_cast<int64_t>(size) + 255) / 256;
  }
  int64_t k = static_cast<int64_t>(settings.SizeIndex) - sizeCount;
  if (k < 0 || k >= timeCount) {
    return 0;
  }
  double minutes = configuration.TimeArray[k];
  double samples = 60.0 * settings.SampleRate * minutes;
  int64_t blocks = TruncateToInt64(samples / 124.0 + 0.5);
  if (blocks > MaxBlocks) {
    blocks = MaxBlocks;
  } else if (blocks < -MaxBlocks) {
    blocks = -MaxBlocks;
  }
  int64_t words = blocks * 128;
  return (words + 255) / 256;
}
