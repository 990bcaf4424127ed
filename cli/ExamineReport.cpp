#include "cli/ExamineReport.h"

#include <cinttypes>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "cli/JsonText.h"
#include "common/Numbers.h"
#include "common/Utf8.h"
#include "datafile/DataFilePlan.h"
#include "recording/ListLabels.h"

namespace {

struct ModeName {
  uint8_t Flag;
  const char* Caption;  // the dialog's button
  const char* Key;
};

const ModeName Modes[] = {
    {SynchroModeFlag, "A and B", "a_and_b"},
    {CycleModeFlag, "Loop record", "loop_record"},
    {ZeroMulFlag, "Reset MUL", "reset_mul"},
    {DigitalBit0Flag, "Bit 0", "bit0"},
};

std::string Number(double value) {
  if (!std::isfinite(value)) {
    return "invalid";
  }
  char text[NumberTextSize];
  FormatNumber(text, value);
  return text;
}

// The dialog's label for a range-list position, without its leading blank; empty
// when the channel's list has no such position.
std::string RangeLabel(const ProgramConfiguration& configuration, double adcRange, int32_t channel,
                       int32_t position) {
  ProgramConfiguration labels = configuration;
  if (adcRange > 0) {
    labels.ADCRange = adcRange;  // the range the file was written for
  }
  std::vector<std::string> all = ChannelRangeLabels(labels, channel);
  if (position < 0 || position >= static_cast<int32_t>(all.size())) {
    return std::string();
  }
  const std::string& label = all[static_cast<std::size_t>(position)];
  std::size_t start = label.find_first_not_of(' ');
  return start == std::string::npos ? label : label.substr(start);
}

std::string ALabel(const ExamineResult& result, const ProgramConfiguration& configuration,
                   const ChannelDescription& channel) {
  return RangeLabel(configuration, result.Header.AdcRange, channel.Channel,
                    RangePositionA(channel));
}

std::string BLabel(const ExamineResult& result, const ProgramConfiguration& configuration,
                   const ChannelDescription& channel) {
  return RangeLabel(configuration, result.Header.AdcRange, channel.Channel,
                    RangePositionB(channel));
}

std::string PlanLabel(const ExamineResult& result, const ProgramConfiguration& configuration) {
  std::vector<std::string> labels = SizeTimeLabels(configuration);
  int32_t plan = result.Size.Plan;
  return plan >= 0 && plan < static_cast<int32_t>(labels.size())
             ? labels[static_cast<std::size_t>(plan)]
             : std::string();
}

std::string Printf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

std::string Printf(const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  int length = std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return length < 0 ? std::string() : std::string(text);
}

std::string JsonLabel(const std::string& label) {
  return label.empty() ? "null" : JsonString(label);
}

std::string JsonNumber(double value) {
  return std::isfinite(value) ? Printf("%.17g", value) : "null";
}

std::string JsonBool(bool value) {
  return value ? "true" : "false";
}

void TextSize(std::string& text, const ExamineResult& result,
              const ProgramConfiguration& configuration) {
  const SizeCheck& size = result.Size;
  if (size.ChunkBytes == 0) {
    text += Printf("Size:       %" PRId64 " bytes\n", result.FileSize);
    return;
  }
  text +=
      Printf("Size:       %" PRId64 " bytes: the header and %" PRId64 " %s of %" PRId64 " bytes",
             result.FileSize, size.Chunks, size.Chunks == 1 ? "chunk" : "chunks", size.ChunkBytes);
  if (size.ExtraBytes != 0) {
    text += Printf(" and %" PRId64 " bytes more: the file ends inside a chunk\n", size.ExtraBytes);
    return;
  }
  std::string plan = PlanLabel(result, configuration);
  if (plan.empty()) {
    text +=
        "\n            matches no size or duration of the configuration in use: possibly "
        "stopped early, or written with another configuration\n";
  } else if (size.PlanRate > 0) {  // a duration, at the rate as the dialog's list shows it
    text += "\n            as planned for \"" + plan + "\" at " +
            RateLabel(result.Header.PerChannelRate) + "\n";
  } else {
    text += "\n            as planned for \"" + plan + "\"\n";
  }
}

void TextFill(std::string& text, const FillCheck& fill) {
  if (!fill.Done) {
    return;
  }
  if (fill.DifferentBytes == 0) {
    text += Printf("Fill:       all %" PRId64 " bytes after the header hold the fill word 0x%04X\n",
                   fill.CheckedBytes, fill.Word);
    return;
  }
  text +=
      Printf("Fill:       %" PRId64 " of %" PRId64
             " bytes after the header differ from the fill word 0x%04X; the first at byte %" PRId64
             " (0x%" PRIX64 ")\n",
             fill.DifferentBytes, fill.CheckedBytes, fill.Word, fill.FirstDifference,
             fill.FirstDifference);
}

}  // namespace

std::string FormatExamineText(const ExamineResult& result,
                              const ProgramConfiguration& configuration) {
  const DecodedHeader& header = result.Header;
  std::string text = "File:       " + result.Name + "\n";
  text += "Sections:   ";
  for (int32_t i = 0; i < HeaderSectionCount; ++i) {
    text += std::string(i > 0 ? ", " : "") + DataFileSections[i].Name;
  }
  text += " (checked)\n";
  text += Printf("Rate:       %" PRIu32 " Hz for all channels, %s Hz per channel (%s)\n",
                 header.AggregateRate, Number(header.PerChannelRate).c_str(),
                 RateLabel(header.PerChannelRate).c_str());
  text += "ADC range:  " + Number(header.AdcRange) + " V\n";
  text += "Modes:      ";
  for (const ModeName& mode : Modes) {
    text += std::string(mode.Flag == Modes[0].Flag ? "" : ", ") + mode.Caption +
            (HasMode(header, mode.Flag) ? " on" : " off");
  }
  text += "\n";
  bool synchro = HasMode(header, SynchroModeFlag);
  text += Printf("Channels:   %d\n", header.ChannelCount);
  for (const ChannelDescription& channel : header.Channels) {
    std::string a = ALabel(result, configuration, channel);
    if (synchro) {
      std::string b = BLabel(result, configuration, channel);
      text += Printf("  %2d  A %-10s  B %s", channel.Channel, a.empty() ? "unknown" : a.c_str(),
                     b.empty() ? "unknown" : b.c_str());
    } else {
      text += Printf("  %2d  A %s", channel.Channel, a.empty() ? "unknown" : a.c_str());
    }
    text += "\n";
  }
  TextSize(text, result, configuration);
  if (result.Size.ChunkBytes > 0) {
    text += "Length:     " + DurationText(result.Size.Seconds) + " at " +
            RateLabel(header.PerChannelRate) + " per channel, the header's rate\n";
  }
  TextFill(text, result.Fill);
  for (const std::string& note : header.Notes) {
    text += "Note:       " + note + "\n";
  }
  return text;
}

std::string FormatExamineJson(const ExamineResult& result,
                              const ProgramConfiguration& configuration) {
  const DecodedHeader& header = result.Header;
  std::string json = "{\"file\":" + JsonString(result.Name);
  if (!IsUtf8(result.Name.data(), result.Name.size())) {
    json += ",\"file_bytes\":\"";
    for (char c : result.Name) {
      json += Printf("%02x", static_cast<unsigned>(static_cast<unsigned char>(c)));
    }
    json += "\"";
  }
  json += Printf(",\"file_size\":%" PRId64, result.FileSize);
  json += ",\"sections\":[";
  for (int32_t i = 0; i < HeaderSectionCount; ++i) {
    json += std::string(i > 0 ? "," : "") + JsonString(DataFileSections[i].Name);
  }
  json += "]";
  json += Printf(",\"rate\":{\"all_channels_hz\":%" PRIu32, header.AggregateRate);
  json += ",\"per_channel_hz\":" + JsonNumber(header.PerChannelRate);
  json += ",\"label\":" + JsonString(RateLabel(header.PerChannelRate)) + "}";
  json += ",\"adc_range_v\":" + JsonNumber(header.AdcRange);
  json += ",\"modes\":{";
  for (const ModeName& mode : Modes) {
    json += std::string(mode.Flag == Modes[0].Flag ? "" : ",") + JsonString(mode.Key) + ":" +
            JsonBool(HasMode(header, mode.Flag));
  }
  json += "}";
  bool synchro = HasMode(header, SynchroModeFlag);
  json += Printf(",\"channel_count\":%d,\"channels\":[", header.ChannelCount);
  for (std::size_t i = 0; i < header.Channels.size(); ++i) {
    const ChannelDescription& channel = header.Channels[i];
    json += Printf("%s{\"channel\":%d,\"a\":", i > 0 ? "," : "", channel.Channel);
    json += JsonLabel(ALabel(result, configuration, channel));
    json += ",\"b\":" + (synchro ? JsonLabel(BLabel(result, configuration, channel)) : "null");
    json += Printf(",\"descriptor\":%u}", static_cast<unsigned>(channel.Raw));
  }
  json += "]";
  const SizeCheck& size = result.Size;
  json += Printf(",\"size\":{\"chunk_bytes\":%" PRId64 ",\"chunks\":%" PRId64
                 ",\"extra_bytes\":%" PRId64,
                 size.ChunkBytes, size.Chunks, size.ExtraBytes);
  json += ",\"length_s\":" + JsonNumber(size.Seconds);
  json += ",\"planned\":" + JsonLabel(PlanLabel(result, configuration));
  // A duration plan at the header's rate, as the text report names it.
  json += ",\"planned_rate_hz\":" +
          (size.PlanRate > 0 ? JsonNumber(result.Header.PerChannelRate) : "null");
  json += "}";
  const FillCheck& fill = result.Fill;
  if (fill.Done) {
    json += Printf(",\"fill\":{\"word\":%u,\"checked_bytes\":%" PRId64
                   ",\"different_bytes\":%" PRId64 ",\"first_difference\":",
                   static_cast<unsigned>(fill.Word), fill.CheckedBytes, fill.DifferentBytes);
    json += fill.FirstDifference >= 0 ? Printf("%" PRId64, fill.FirstDifference) : "null";
    json += "}";
  }
  const char* const states[] = {"whole", "stopped_early", "damaged"};
  json += std::string(",\"state\":\"") + states[static_cast<int>(result.State)] + "\"";
  json += ",\"notes\":[";
  for (std::size_t i = 0; i < header.Notes.size(); ++i) {
    json += std::string(i > 0 ? "," : "") + JsonString(header.Notes[i]);
  }
  return json + "]}\n";
}
