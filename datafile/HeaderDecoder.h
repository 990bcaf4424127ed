// Reads the 512-byte first sector of a data file back into what the logger will
// record. Any bytes are safe to give it: a file that is not a data file says why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "datafile/DataFileHeader.h"

enum class InputMode { Ground = 0, SingleEnded = 1, Differential = 2, Unknown = 3 };

struct ChannelDescription {
  int32_t Channel;  // 1-based, as the dialog numbers channels
  int32_t AGain;    // gain code 0..3
  int32_t BGain;
  InputMode Mode;
  uint16_t Raw;
};

struct DecodedHeader {
  bool IsDataFile = false;
  std::string Problem;         // why it is not a data file
  uint32_t AggregateRate = 0;  // whole Hz, all channels together
  double PerChannelRate = 0;   // Hz
  double AdcRange = 0;         // V, positive
  uint8_t ModeFlags = 0;
  int32_t ChannelCount = 0;  // as written, even beyond the 32 slots
  std::vector<ChannelDescription> Channels;
  std::vector<std::string> Notes;  // bytes that differ from what this tool writes
};

DecodedHeader DecodeDataFileHeader(const uint8_t* bytes, std::size_t size);

bool HasMode(const DecodedHeader& header, uint8_t flag);

// Range-list positions (see the dialog's range lists): the A range from its gain and
// input mode; B, recorded only in the "A and B" mode, has the kind of its A channel.
// -1 for an input mode that no list has.
int32_t RangePositionA(const ChannelDescription& channel);
int32_t RangePositionB(const ChannelDescription& channel);
