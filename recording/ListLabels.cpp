#include "recording/ListLabels.h"

#include <cstdarg>
#include <cstdio>

#include "common/Numbers.h"

namespace {

constexpr int32_t GainCount = 5;

std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

std::string Format(const char* format, ...) {
  char text[LabelSize];
  va_list arguments;
  va_start(arguments, format);
  int length = std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return length < 0 ? std::string() : std::string(text);
}

std::string Number(double value) {
  char text[NumberTextSize];
  FormatNumber(text, value);
  return text;
}

// The full scale of a gain; a gain of 0 has none, and the label says so rather than
// showing whatever the C library prints for infinity.
std::string RangeOf(const ProgramConfiguration& configuration, int32_t gain) {
  if (configuration.Gain[gain] == 0) {
    return "?";
  }
  return Number(configuration.ADCRange / configuration.Gain[gain]);
}

}  // namespace

std::vector<std::string> RangeLabels(const ProgramConfiguration& configuration, bool differential) {
  std::vector<std::string> labels{" OFF"};
  int32_t first = 0;
  if (configuration.Gain[0] <= 0) {
    labels.push_back(" Gnd");
    first = 1;
  }
  for (int32_t g = first; g < GainCount; ++g) {
    labels.push_back(Format("+-%sV", RangeOf(configuration, g).c_str()));
  }
  if (differential) {
    for (int32_t g = 1; g < GainCount; ++g) {
      labels.push_back(Format("+-%sV D", RangeOf(configuration, g).c_str()));
    }
  }
  return labels;
}

std::vector<std::string> ChannelRangeLabels(const ProgramConfiguration& configuration,
                                            int32_t channel) {
  return RangeLabels(configuration, channel <= ChannelsWithDifferential);
}

std::vector<std::string> SizeTimeLabels(const ProgramConfiguration& configuration) {
  std::vector<std::string> labels;
  for (int32_t i = 0; i < configuration.SizeCount; ++i) {
    int32_t size = configuration.SizeArray[i];
    if (size >= 1048576) {
      labels.push_back(Format("Size %s Ms", Number(size / 1048576.0).c_str()));
    } else if (size >= 1024) {
      labels.push_back(Format("Size %s Ks", Number(size / 1024.0).c_str()));
    } else {
      labels.push_back(Format("Size %d", size));
    }
  }
  for (int32_t i = 0; i < configuration.TimeCount; ++i) {
    double minutes = configuration.TimeArray[i];
    if (minutes < 1) {
      labels.push_back(Format("Time %s s.", Number(minutes * 60).c_str()));
    } else if (minutes < 60) {
      labels.push_back(Format("Time %s min.", Number(minutes).c_str()));
    } else {
      labels.push_back(Format("Time %s h.", Number(minutes / 60).c_str()));
    }
  }
  return labels;
}

std::string RateLabel(double displayedRate) {
  if (displayedRate > 1000) {
    return Format("%sKHz", Number(displayedRate / 1000).c_str());
  }
  return Format("%sHz", Number(displayedRate).c_str());
}

std::string RecordNumberLabel(int32_t number) {
  return Format(" %d", number);
}
