// How big a data file is: the header sector, then whole chunks of one sector per
// recorded channel. And the other way round, which size or duration of the
// configuration gives the chunks a file holds.
#pragma once

#include <cstdint>

#include "config/ProgramConfiguration.h"
#include "datafile/HeaderDecoder.h"
#include "recording/RecordingSettings.h"

constexpr int32_t SectorBytes = 512;

// One sector per recorded channel: the A channels, and as many B channels in the
// "A and B" mode.
uint32_t BytesPerChunk(int32_t channelCount, bool synchro);

// The per-channel rate the header records: what the logger's clock makes of the rate
// that all `channelCount` channels share.
double RecordedRate(double sampleRate, int32_t channelCount);

// The sectors per channel, limited to what the writer's counters hold and at least one.
// A duration is sized at the rate asked for, unless the clock cannot go that slow: then
// at the faster rate the logger records, so that the recording is never cut short.
uint32_t PlannedChunks(const RecordingSettings& settings,
                       const ProgramConfiguration& configuration);

// How long the logger records into `chunks` sectors per channel at `rate` Hz per
// channel: it stores 124 samples and a block number in every 128 words.
double RecordedSeconds(int64_t chunks, double rate);

// The header and `chunks` chunks.
int64_t DataFileBytes(uint32_t chunks, uint32_t chunkBytes);

// The file's size against the plans of the configuration.
struct SizeCheck {
  int64_t ChunkBytes = 0;  // 0 when the header lists no channel
  int64_t Chunks = 0;      // whole chunks after the header
  int64_t ExtraBytes = 0;  // after the last whole chunk
  int32_t Plan = -1;       // position in the size/time list; -1 when none matches
  double PlanRate = 0;     // Hz per channel, the configured rate a duration plan uses
  double Seconds = 0;      // the recording's length at the header's rate
};

SizeCheck CheckSize(const DecodedHeader& header, const ProgramConfiguration& configuration,
                    int64_t fileSize);
