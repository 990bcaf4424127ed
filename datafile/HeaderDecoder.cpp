#include "datafile/HeaderDecoder.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t NameFieldSize = SectionNameSize;
constexpr uint16_t UnusedDescriptorBits = 0x24E0;  // bits 5-7, 10 and 13
constexpr uint8_t UnusedModeBits = 0xE8;

uint32_t GetU32(const uint8_t* at) {
  return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}

uint64_t GetU64(const uint8_t* at) {
  return uint64_t{GetU32(at)} | uint64_t{GetU32(at + 4)} << 32;
}

// The name field as text: spaces at the end dropped, anything unprintable shown as '?'.
std::string NameField(const uint8_t* at) {
  std::string name;
  for (std::size_t i = 0; i < NameFieldSize; ++i) {
    name += at[i] >= 0x20 && at[i] < 0x7F ? static_cast<char>(at[i]) : '?';
  }
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

bool NamePadded(const uint8_t* at, const char* name) {
  std::size_t length = std::strlen(name);
  for (std::size_t i = 0; i < NameFieldSize; ++i) {
    uint8_t expected = static_cast<uint8_t>(i < length ? name[i] : ' ');
    if (at[i] != expected) {
      return false;
    }
  }
  return true;
}

std::string Hex(int32_t offset) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%03X", static_cast<unsigned>(offset));
  return text;
}

// The fixed bytes that every file of this tool holds.
void CheckFixedBytes(const uint8_t* h, DecodedHeader& header) {
  struct Fixed {
    int32_t Offset;
    int32_t Length;
    uint8_t Value;
  };
  static const Fixed fixed[] = {{0x041, 3, 0x00}, {0x051, 1, 0x00},   {0x053, 1, 0x00},
                                {0x0DA, 2, 0x00}, {0x0DC, 224, 0xFF}, {0x1BC, 30, 0x00},
                                {0x1DA, 6, 0xFF}};
  if (h[0x040] != 7 || h[0x050] != 6 || h[0x052] != 16) {
    header.Notes.push_back("the sample format constants differ from 7, 6 and 16");
  }
  for (const Fixed& f : fixed) {
    for (int32_t i = 0; i < f.Length; ++i) {
      if (h[f.Offset + i] != f.Value) {
        header.Notes.push_back("the byte at " + Hex(f.Offset + i) + " differs from what this " +
                               "tool writes there");
        break;
      }
    }
  }
}

void DecodeChannels(const uint8_t* h, DecodedHeader& header) {
  int32_t slots = header.ChannelCount < DescriptorSlots ? header.ChannelCount : DescriptorSlots;
  if (header.ChannelCount > DescriptorSlots) {
    header.Notes.push_back("the header counts " + std::to_string(header.ChannelCount) +
                           " channels but has room for 32");
  }
  int32_t previous = 0;
  for (int32_t i = 0; i < DescriptorSlots; ++i) {
    const uint8_t* at = h + DescriptorsAt + 2 * i;
    uint16_t raw = static_cast<uint16_t>(at[0] | at[1] << 8);
    if (i >= slots) {
      if (raw != 0) {
        header.Notes.push_back("descriptor slot " + std::to_string(i) + " is not used but not 0");
      }
      continue;
    }
    ChannelDescription channel;
    channel.Channel = (raw & 0x1F) + 1;
    channel.AGain = (raw >> 8) & 0x3;
    channel.BGain = (raw >> 11) & 0x3;
    channel.Mode = static_cast<InputMode>((raw >> 14) & 0x3);
    channel.Raw = raw;
    if (channel.Channel > ChannelsPerGroup) {
      header.Notes.push_back("channel " + std::to_string(channel.Channel) + " does not exist");
    }
    if (channel.Channel <= previous) {
      header.Notes.push_back("channel " + std::to_string(channel.Channel) +
                             " is out of ascending order");
    }
    if (channel.Mode == InputMode::Unknown) {
      header.Notes.push_back("channel " + std::to_string(channel.Channel) +
                             " has an unknown input mode");
    }
    if ((raw & UnusedDescriptorBits) != 0) {
      header.Notes.push_back("channel " + std::to_string(channel.Channel) +
                             " sets descriptor bits this tool leaves 0");
    }
    previous = channel.Channel;
    header.Channels.push_back(channel);
  }
}

}  // namespace

DecodedHeader DecodeDataFileHeader(const uint8_t* bytes, std::size_t size) {
  DecodedHeader header;
  if (bytes == nullptr || size < static_cast<std::size_t>(HeaderSize)) {
    header.Problem =
        "it holds " + std::to_string(size) + " bytes, less than the 512-byte header of a data file";
    return header;
  }
  const uint8_t* h = bytes;
  for (const HeaderSection& section : DataFileSections) {
    const uint8_t* at = h + section.Offset;
    if (!NamePadded(at, section.Name)) {
      header.Problem = "the section at " + Hex(section.Offset) + " is named \"" + NameField(at) +
                       "\" where a data file has \"" + section.Name + "\"";
      return header;
    }
    int64_t length = static_cast<int64_t>(GetU64(at + NameFieldSize));
    if (length != section.PayloadLength) {
      header.Problem = "the " + std::string(section.Name) + " section gives a length of " +
                       std::to_string(length) + " where a data file has " +
                       std::to_string(section.PayloadLength);
      return header;
    }
  }
  header.IsDataFile = true;

  float range;
  uint32_t rangeBits = GetU32(h + AdcRangeAt);
  std::memcpy(&range, &rangeBits, sizeof range);
  header.AdcRange = range != 0.0f ? -static_cast<double>(range) : 0.0;
  uint64_t rateBits = GetU64(h + ChannelRateAt);
  std::memcpy(&header.PerChannelRate, &rateBits, sizeof header.PerChannelRate);
  header.AggregateRate = GetU32(h + AggregateRateAt);
  header.ModeFlags = h[ModeFlagsAt];
  header.ChannelCount = h[ChannelCountAt];
  if ((header.ModeFlags & UnusedModeBits) != 0) {
    header.Notes.push_back("the mode byte sets bits this tool leaves 0");
  }
  if (header.ChannelCount == 0) {
    header.Notes.push_back("the header lists no channel");
  }
  CheckFixedBytes(h, header);
  DecodeChannels(h, header);
  return header;
}

bool HasMode(const DecodedHeader& header, uint8_t flag) {
  return (header.ModeFlags & flag) != 0;
}

namespace {

// The list position of a range; the A and B lists of a channel share it.
int32_t RangePosition(InputMode mode, int32_t gain) {
  switch (mode) {
    case InputMode::Ground:
      return 1;
    case InputMode::SingleEnded:
      return FirstSingleEnded + gain;
    case InputMode::Differential:
      return FirstDifferential + gain;
    case InputMode::Unknown:
      break;
  }
  return -1;
}

}  // namespace

int32_t RangePositionA(const ChannelDescription& channel) {
  return RangePosition(channel.Mode, channel.AGain);
}

int32_t RangePositionB(const ChannelDescription& channel) {
  return RangePosition(channel.Mode, channel.BGain);
}
