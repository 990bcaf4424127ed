// The 512-byte first sector of every data file, which tells the logger how to record.
#pragma once

#include <cstdint>

#include "recording/RecordingSettings.h"

constexpr int32_t HeaderSize = 512;

// ModeFlags bits.
constexpr uint8_t DigitalBit0Flag = 0x01;
constexpr uint8_t ZeroMulFlag = 0x02;
constexpr uint8_t SynchroModeFlag = 0x04;
constexpr uint8_t CycleModeFlag = 0x10;

// The header is a chain of sections: a 24-byte name padded with spaces, the 8-byte
// length of what follows, then that payload.
constexpr int32_t HeaderSectionCount = 5;
constexpr int32_t SectionNameSize = 24;
constexpr int32_t SectionHeadSize = 32;

struct HeaderSection {
  int32_t Offset;
  const char* Name;
  int64_t PayloadLength;  // -1 in the last section, whose samples follow the header
};

extern const HeaderSection DataFileSections[HeaderSectionCount];

// Where the values of the recording lie.
constexpr int32_t AdcRangeAt = 0x044;       // float, negated
constexpr int32_t ChannelRateAt = 0x048;    // double, Hz per channel
constexpr int32_t AggregateRateAt = 0x074;  // unsigned 32-bit, whole Hz
constexpr int32_t ModeFlagsAt = 0x078;      // one byte
constexpr int32_t ChannelCountAt = 0x079;   // one byte
constexpr int32_t DescriptorsAt = 0x07A;    // 32 unsigned 16-bit slots
constexpr int32_t DescriptorSlots = 32;

// The range-list positions that the channel codes and descriptors number from.
constexpr int32_t FirstSingleEnded = 2;
constexpr int32_t FirstDifferential = 6;

struct DataFileHeader {
  uint8_t Bytes[HeaderSize];
};

// Builds the sector byte by byte, little-endian; every byte is set.
DataFileHeader BuildDataFileHeader(int32_t channelCount, double adcRange, const ChannelList& list,
                                   double sampleRate, uint8_t modeFlags);
