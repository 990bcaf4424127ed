#include "datafile/DataFileSize.h"

#include <cmath>

#include "common/Numbers.h"

namespace {

// The configured rate that gives the header's rate for its channel count.
bool MakesRate(double raw, const DecodedHeader& header) {
  double aggregate = raw * header.ChannelCount;
  uint32_t wholeHz = QuantiseSampleRate(aggregate);
  return wholeHz == header.AggregateRate &&
         std::fabs(aggregate / header.ChannelCount - header.PerChannelRate) <= 1e-9 * aggregate;
}

}  // namespace

uint32_t BytesPerChunk(int32_t channelCount, bool synchro) {
  return static_cast<uint32_t>(SectorBytes * channelCount * (synchro ? 2 : 1));
}

double RecordedRate(double sampleRate, int32_t channelCount) {
  double aggregate = sampleRate * channelCount;
  QuantiseSampleRate(aggregate);
  return aggregate / channelCount;
}

uint32_t PlannedChunks(const RecordingSettings& settings,
                       const ProgramConfiguration& configuration) {
  int32_t channels = settings.ChannelCount > 0 ? settings.ChannelCount : 1;
  double asked = settings.SampleRate * channels;
  double clock = asked;
  QuantiseSampleRate(clock);
  double slowest = 0;
  QuantiseSampleRate(slowest);
  RecordingSettings sized = settings;
  if (clock == slowest && clock > asked) {
    sized.SampleRate = clock / channels;
  }
  int64_t chunks = ComputeChunkCount(sized, configuration);
  if (chunks > int64_t{UINT32_MAX}) {
    return UINT32_MAX;
  }
  return chunks < 1 ? 1 : static_cast<uint32_t>(chunks);
}

double RecordedSeconds(int64_t chunks, double rate) {
  constexpr double SamplesPerSector = 256.0 * 124.0 / 128.0;
  return rate > 0 ? static_cast<double>(chunks) * SamplesPerSector / rate : 0.0;
}

int64_t DataFileBytes(uint32_t chunks, uint32_t chunkBytes) {
  return HeaderSize + int64_t{chunks} * chunkBytes;
}

SizeCheck CheckSize(const DecodedHeader& header, const ProgramConfiguration& configuration,
                    int64_t fileSize) {
  SizeCheck check;
  if (header.ChannelCount <= 0) {
    return check;
  }
  check.ChunkBytes = BytesPerChunk(header.ChannelCount, HasMode(header, SynchroModeFlag));
  int64_t data = fileSize > HeaderSize ? fileSize - HeaderSize : 0;
  check.Chunks = data / check.ChunkBytes;
  check.ExtraBytes = data % check.ChunkBytes;
  check.Seconds = RecordedSeconds(check.Chunks, header.PerChannelRate);
  if (check.ExtraBytes != 0) {
    return check;
  }

  RecordingSettings settings;
  settings.ChannelCount = header.ChannelCount;
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
