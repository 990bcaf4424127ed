#include "cli/SizeCheck.h"

#include <cmath>

#include "common/Numbers.h"
#include "datafile/DataFileHeader.h"
#include "recording/RecordingSettings.h"

namespace {

constexpr int64_t SectorBytes = 512;

// As the writer limits it: at least one chunk, at most what its counter holds.
int64_t PlannedChunks(const RecordingSettings& settings,
                      const ProgramConfiguration& configuration) {
  int64_t chunks = ComputeChunkCount(settings, configuration);
  if (chunks > int64_t{UINT32_MAX}) {
    return UINT32_MAX;
  }
  return chunks < 1 ? 1 : chunks;
}

// The configured rate that gives the header's rate for its channel count.
bool MakesRate(double raw, const DecodedHeader& header) {
  double aggregate = raw * header.ChannelCount;
  uint32_t wholeHz = QuantiseSampleRate(aggregate);
  return wholeHz == header.AggregateRate &&
         std::fabs(aggregate / header.ChannelCount - header.PerChannelRate) <= 1e-9 * aggregate;
}

}  // namespace

SizeCheck CheckSize(const DecodedHeader& header, const ProgramConfiguration& configuration,
                    int64_t fileSize) {
  SizeCheck check;
  if (header.ChannelCount <= 0) {
    return check;
  }
  int64_t perChannel = HasMode(header, SynchroModeFlag) ? 2 : 1;
  check.ChunkBytes = SectorBytes * header.ChannelCount * perChannel;
  int64_t data = fileSize > HeaderSize ? fileSize - HeaderSize : 0;
  check.Chunks = data / check.ChunkBytes;
  check.ExtraBytes = data % check.ChunkBytes;
  if (check.ExtraBytes != 0) {
    return check;
  }

  RecordingSettings settings;
  int32_t sizes = ClampInt(configuration.SizeCount, 0, ListCapacity);
  for (int32_t i = 0; i < sizes; ++i) {
    settings.SizeIndex = i;
    if (PlannedChunks(settings, configuration) == check.Chunks) {
      check.Plan = i;
      return check;
    }
  }
  int32_t rates = ClampInt(configuration.FreqCount, 0, ListCapacity);
  int32_t times = ClampInt(configuration.TimeCount, 0, ListCapacity);
  for (int32_t r = 0; r < rates; ++r) {
    settings.SampleRate = configuration.FreqArray[r];
    if (!MakesRate(settings.SampleRate, header)) {
      continue;
    }
    for (int32_t k = 0; k < times; ++k) {
      settings.SizeIndex = sizes + k;
      if (PlannedChunks(settings, configuration) == check.Chunks) {
        check.Plan = sizes + k;
        check.PlanRate = settings.SampleRate;
        return check;
      }
    }
  }
  return check;
}
