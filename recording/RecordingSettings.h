// The user's recording choices and everything computed from them: the channel list
// and codes, the offered rates, the rate the logger's clock really produces, and the
// recording length in sectors per channel.
#pragma once

#include <cstdint>

#include "config/ProgramConfiguration.h"

constexpr int32_t ChannelsPerGroup = 16;
// The zero reset acts at each switch of the multiplexer: it needs two A channels.
constexpr int32_t ZeroMulChannels = 2;

struct RecordingSettings {
  int32_t ChAIndex[ChannelsPerGroup] = {};  // range-list position of A channel 1..16
  int32_t ChBIndex[ChannelsPerGroup] = {};  // the same for B
  int32_t FreqIndex = 0;                    // position in the visible rates
  int32_t SizeIndex = 0;                    // position in the sizes, then the durations
  int32_t FileNumber = 0;                   // position in the record number list
  int32_t ZeroMul = 0;
  int32_t CycleMode = 0;
  int32_t SynchroMode = 0;
  int32_t DigitalBIT0 = 0;
  double SampleRate = 10000.0;  // Hz per channel, a raw FreqArray value once chosen
  int32_t ChannelCount = 0;     // enabled A channels, at least 1 once computed
};

struct ChannelEntry {
  int32_t Channel;  // 0-based
  uint32_t Code;
};

// The enabled A channels in ascending order.
struct ChannelList {
  int32_t Count = 0;
  ChannelEntry Entries[ChannelsPerGroup] = {};
};

// Bits 0-15: ChAIndex - 1; bits 16-31: ChBIndex - 1 in synchronous mode, else 0.
uint32_t ChannelCode(const RecordingSettings& settings, int32_t channel);

// Gives every B channel the kind of its A channel (off, ground, single-ended or
// differential); a B channel of the right kind keeps its own range.
void SyncChannelB(RecordingSettings& settings);

// Returns the number of enabled A channels and sets ChannelCount (at least 1);
// fills the list only when one is given.
int32_t BuildChannelList(RecordingSettings& settings, ChannelList* list);

// The highest per-channel rate that may be offered.
double RateLimit(const RecordingSettings& settings, const ProgramConfiguration& configuration,
                 int32_t count);

struct VisibleRate {
  double Raw;        // the FreqArray value
  double Displayed;  // the per-channel rate the clock delivers for all channels
};

struct VisibleRateList {
  int32_t Count = 0;
  VisibleRate Rates[ListCapacity] = {};
};

VisibleRateList VisibleRates(const ProgramConfiguration& configuration, double limit,
                             int32_t channelCount);

// Settles FreqIndex and SampleRate against the visible rates; takeIndex honours the
// list position, otherwise the chosen rate survives a change of the channel count.
void SelectRate(RecordingSettings& settings, const VisibleRateList& visible, bool takeIndex);

// Replaces an aggregate rate by the rate the logger's 24 MHz clock produces through
// its integer divider, and returns that rate rounded to whole Hz.
uint32_t QuantiseSampleRate(double& rate);

// The recording length per channel in 512-byte sectors.
int64_t ComputeChunkCount(const RecordingSettings& settings,
                          const ProgramConfiguration& configuration);
