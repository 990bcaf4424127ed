#include "datafile/DataFilePlan.h"

#include <cinttypes>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/Numbers.h"
#include "datafile/DataFileName.h"
#include "datafile/DataFileSize.h"
#include "platform/FileSystem.h"

namespace {

constexpr double Kilo = 1024.0;
constexpr char Times[] = "\u00D7";

std::string Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Formatted(const char* format, ...) {
  char text[128];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

std::string RateText(double hz) {
  char number[NumberTextSize];
  bool kilo = hz >= 1000.0;
  FormatNumber(number, kilo ? hz / 1000.0 : hz);
  return std::string(number) + (kilo ? " kHz" : " Hz");
}

std::string ChannelsText(const DataFilePlan& plan) {
  if (plan.Synchro) {
    return Formatted("%d A + %d B channels", plan.Channels, plan.Channels);
  }
  return Formatted("%d channel%s", plan.Channels, plan.Channels == 1 ? "" : "s");
}

}  // namespace

DataFilePlan PlanDataFile(const RecordingSettings& settings,
                          const ProgramConfiguration& configuration, const PathTexts& paths) {
  DataFilePlan plan;
  const char* path = paths.OutputPath;
  const char* name = path;
  for (const char* c = path; *c != '\0'; ++c) {
    if (*c == PathSeparator || *c == '/') {
      name = c + 1;
    }
  }
  plan.FileName = std::string(name) + DataFileExtension;
  for (int32_t index : settings.ChAIndex) {
    plan.Channels += index != 0 ? 1 : 0;
  }
  plan.Synchro = settings.SynchroMode != 0;
  int32_t channels = settings.ChannelCount > 0 ? settings.ChannelCount : 1;
  uint32_t chunks = PlannedChunks(settings, configuration);
  plan.Bytes = DataFileBytes(chunks, BytesPerChunk(channels, plan.Synchro));
  plan.RateHz = RecordedRate(settings.SampleRate, channels);
  plan.Seconds = RecordedSeconds(chunks, plan.RateHz);
  return plan;
}

std::string PlanText(const DataFilePlan& plan) {
  if (plan.Channels == 0) {
    return plan.FileName + ", no A channel switched on";
  }
  return plan.FileName + ", " + SizeText(plan.Bytes) + ", " + ChannelsText(plan) + " " + Times +
         " " + RateText(plan.RateHz) + " for " + DurationText(plan.Seconds);
}

std::string SizeText(int64_t bytes) {
  double size = static_cast<double>(bytes);
  if (size < Kilo * Kilo) {
    return Formatted("%.1f KB", size / Kilo);
  }
  if (size < Kilo * Kilo * Kilo) {
    return Formatted("%.1f MB", size / (Kilo * Kilo));
  }
  return Formatted("%.2f GB", size / (Kilo * Kilo * Kilo));
}

std::string DurationText(double seconds) {
  // Each unit is rounded as shown, so that "60.0 s" reads "1 min 0 s".
  int64_t ms = TruncateToInt64(seconds * 1000.0 + 0.5);
  if (ms < 1000) {
    return Formatted("%" PRId64 " ms", ms);
  }
  int64_t tenths = TruncateToInt64(seconds * 10.0 + 0.5);
  if (tenths < 600) {
    return Formatted("%" PRId64 ".%" PRId64 " s", tenths / 10, tenths % 10);
  }
  int64_t whole = TruncateToInt64(seconds + 0.5);
  if (whole < 3600) {
    return Formatted("%" PRId64 " min %" PRId64 " s", whole / 60, whole % 60);
  }
  int64_t minutes = TruncateToInt64(seconds / 60.0 + 0.5);
  if (minutes < 24 * 60) {
    return Formatted("%" PRId64 " h %" PRId64 " min", minutes / 60, minutes % 60);
  }
  int64_t hours = TruncateToInt64(seconds / 3600.0 + 0.5);
  return Formatted("%" PRId64 " d %" PRId64 " h", hours / 24, hours % 24);
}
