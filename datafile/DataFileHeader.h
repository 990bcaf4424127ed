// The 512-byte first sector of every data file, which tells the logger how to record.
#pragma once

#include <cstdint>

#include "platform/FileSystem.h"
#include "recording/RecordingSettings.h"

constexpr int32_t HeaderSize = 512;

// ModeFlags bits.
constexpr uint8_t DigitalBit0Flag = 0x01;
constexpr uint8_t ZeroMulFlag = 0x02;
constexpr uint8_t SynchroModeFlag = 0x04;
constexpr uint8_t CycleModeFlag = 0x10;

struct DataFileHeader {
  uint8_t Bytes[HeaderSize];
};

// Builds the sector byte by byte, little-endian; every byte is set.
DataFileHeader BuildDataFileHeader(int32_t channelCount, double adcRange, const ChannelList& list,
                                   double sampleRate, uint8_t modeFlags);

// Writes the header with one write call: -1 for an invalid handle, 0 when there is no
// channel or no list (nothing written) or when the write failed or was cut short,
// 1 when all 512 bytes were written. `written`, when given, receives what the write
// call returned (-1 for an error).
int WriteDataFileHeader(FileSystem& files, FileHandle file, int32_t channelCount, double adcRange,
                        const ChannelList* list, double sampleRate, uint8_t modeFlags,
                        int64_t* written = nullptr);
