#include "datafile/DataFileHeader.h"

#include <cstring>

#include "common/Numbers.h"

const HeaderSection DataFileSections[HeaderSectionCount] = {
    {0x000, "VELDORFFS", 0}, {0x020, "SAMPLES_FORMAT", 20}, {0x054, "SD_FORMAT", 70},
    {0x0BA, "SD_INFO", 262}, {0x1E0, "SAMPLES_RECORD", -1},
};

namespace {

// Code nibbles: ChAIndex - 1, so single-ended ranges are 1-4 and differential 5-8.
constexpr uint32_t FirstSingleEndedCode = FirstSingleEnded - 1;
constexpr uint32_t FirstDifferentialCode = FirstDifferential - 1;
constexpr uint32_t GainCount = FirstDifferential - FirstSingleEnded;

void PutU16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    at[i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

void PutU64(uint8_t* at, uint64_t value) {
  for (int i = 0; i < 8; ++i) {
    at[i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

void PutFloat(uint8_t* at, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(at, bits);
}

void PutDouble(uint8_t* at, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU64(at, bits);
}

// A section's 24-byte name padded with spaces, then its payload length.
void PutSectionHead(uint8_t* at, const char* name, int64_t payloadLength) {
  std::size_t length = std::strlen(name);
  for (int32_t i = 0; i < SectionNameSize; ++i) {
    at[i] = static_cast<uint8_t>(static_cast<std::size_t>(i) < length ? name[i] : ' ');
  }
  PutU64(at + SectionNameSize, static_cast<uint64_t>(payloadLength));
}

bool IsSingleEnded(uint32_t nibble) {
  return nibble >= FirstSingleEndedCode && nibble < FirstSingleEndedCode + GainCount;
}

bool IsDifferential(uint32_t nibble) {
  return nibble >= FirstDifferentialCode && nibble < FirstDifferentialCode + GainCount;
}

// Anything but a single-ended or differential range, ground included, is gain 0.
uint32_t GainCode(uint32_t nibble) {
  if (IsSingleEnded(nibble)) {
    return nibble - FirstSingleEndedCode;
  }
  return IsDifferential(nibble) ? nibble - FirstDifferentialCode : 0;
}

uint32_t InputMode(uint32_t nibble) {
  if (IsSingleEnded(nibble)) {
    return 1;
  }
  return IsDifferential(nibble) ? 2 : 0;
}

uint16_t ChannelDescriptor(const ChannelEntry& entry) {
  uint32_t a = entry.Code & 0xF;
  uint32_t b = (entry.Code >> 16) & 0xF;
  uint32_t descriptor = (static_cast<uint32_t>(entry.Channel) & 0x1F) | (GainCode(a) << 8) |
                        (GainCode(b) << 11) | (InputMode(a) << 14);
  return static_cast<uint16_t>(descriptor);
}

}  // namespace

DataFileHeader BuildDataFileHeader(int32_t channelCount, double adcRange, const ChannelList& list,
                                   double sampleRate, uint8_t modeFlags) {
  DataFileHeader header;
  uint8_t* h = header.Bytes;
  std::memset(h, 0, sizeof header.Bytes);

  for (const HeaderSection& section : DataFileSections) {
    PutSectionHead(h + section.Offset, section.Name, section.PayloadLength);
  }
  // The logger's own constants and reserved bytes.
  PutU32(h + 0x040, 7);
  h[0x050] = 6;
  h[0x052] = 16;
  std::memset(h + 0x0DC, 0xFF, 224);
  std::memset(h + 0x1DA, 0xFF, 6);

  // The clock is shared by all A channels; their B partners ride along.
  double aggregate = sampleRate * channelCount;
  uint32_t wholeHz = QuantiseSampleRate(aggregate);
  double perChannel = aggregate / channelCount;
  if (wholeHz != 0 && channelCount > 0) {
    PutU32(h + AggregateRateAt, wholeHz);
    h[ModeFlagsAt] = modeFlags;
    h[ChannelCountAt] =
        static_cast<uint8_t>(channelCount < DescriptorSlots ? channelCount : DescriptorSlots);
  }
  int32_t slots = channelCount < list.Count ? channelCount : list.Count;
  for (int32_t i = 0; i < slots && i < DescriptorSlots; ++i) {
    PutU16(h + DescriptorsAt + 2 * i, ChannelDescriptor(list.Entries[i]));
  }

  PutFloat(h + AdcRangeAt, adcRange > 0.0 ? -ToFloat(adcRange) : 0.0f);
  PutDouble(h + ChannelRateAt, perChannel);
  return header;
}
