#include "cli/ChoiceNames.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "recording/ListLabels.h"

namespace {

constexpr double SizeKilo = 1024.0;
constexpr double SizeMega = 1048576.0;
constexpr double RateKilo = 1000.0;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string WithoutEnd(const std::string& text, const std::string& end) {
  return EndsWith(text, end) ? text.substr(0, text.size() - end.size()) : text;
}

bool SameValue(double a, double b) {
  return std::fabs(a - b) <= 1e-9 * std::fmax(1.0, std::fabs(b));
}

// A number with an optional multiplier letter: "9k" with kilo 1000 gives 9000.
bool ParseScaled(const std::string& text, double kilo, double mega, double& value) {
  if (text.empty()) {
    return false;
  }
  double scale = 1.0;
  std::string digits = text;
  if (text.back() == 'k') {
    scale = kilo;
    digits.pop_back();
  } else if (text.back() == 'm') {
    scale = mega;
    digits.pop_back();
  }
  if (!ParseNumber(digits, value)) {
    return false;
  }
  value *= scale;
  return true;
}

std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return std::string();
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Matches the label with or without its leading word ("Size", "Time").
int32_t FindLabel(const std::vector<std::string>& labels, int32_t first, int32_t end,
                  const std::string& word, const std::string& text) {
  std::string wanted = NormaliseLabel(text);
  for (int32_t i = first; i < end; ++i) {
    std::string label = NormaliseLabel(labels[static_cast<std::size_t>(i)]);
    if (!wanted.empty() && (label == wanted || label == word + wanted)) {
      return i;
    }
  }
  return -1;
}

}  // namespace

std::string NormaliseLabel(const std::string& text) {
  std::string normal;
  for (char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c))) {
      normal += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  while (!normal.empty() && normal.back() == '.') {
    normal.pop_back();
  }
  return normal;
}

bool ParseNumber(const std::string& text, double& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) {
    return false;
  }
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

int32_t FindRangePosition(const ProgramConfiguration& configuration, int32_t channel,
                          const std::string& text) {
  std::vector<std::string> labels = ChannelRangeLabels(configuration, channel);
  return FindLabel(labels, 0, static_cast<int32_t>(labels.size()), "", text);
}

int32_t FindRatePosition(const VisibleRateList& visible, const std::string& text) {
  std::string wanted = NormaliseLabel(text);
  for (int32_t i = 0; i < visible.Count; ++i) {
    if (NormaliseLabel(RateLabel(visible.Rates[i].Displayed)) == wanted) {
      return i;
    }
  }
  double value = 0;
  if (!ParseScaled(WithoutEnd(wanted, "hz"), RateKilo, RateKilo * RateKilo, value)) {
    return -1;
  }
  for (int32_t i = 0; i < visible.Count; ++i) {
    if (SameValue(visible.Rates[i].Raw, value)) {
      return i;
    }
  }
  return -1;
}

int32_t FindSizePosition(const ProgramConfiguration& configuration, const std::string& text) {
  int32_t sizes = configuration.SizeCount;
  int32_t found = FindLabel(SizeTimeLabels(configuration), 0, sizes, "size", text);
  double value = 0;
  if (found >= 0 || !ParseScaled(NormaliseLabel(text), SizeKilo, SizeMega, value)) {
    return found;
  }
  for (int32_t i = 0; i < sizes; ++i) {
    if (SameValue(configuration.SizeArray[i], value)) {
      return i;
    }
  }
  return -1;
}

int32_t FindDurationPosition(const ProgramConfiguration& configuration, const std::string& text) {
  int32_t sizes = configuration.SizeCount;
  int32_t found = FindLabel(SizeTimeLabels(configuration), sizes, sizes + configuration.TimeCount,
                            "time", text);
  double minutes = 0;
  if (found >= 0 || !ParseNumber(WithoutEnd(NormaliseLabel(text), "min"), minutes)) {
    return found;
  }
  for (int32_t k = 0; k < configuration.TimeCount; ++k) {
    if (SameValue(configuration.TimeArray[k], minutes)) {
      return sizes + k;
    }
  }
  return -1;
}

bool ParseChannelChoice(const std::string& text, ChannelChoice& choice) {
  std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    return false;
  }
  std::string channels = Trimmed(text.substr(0, equals));
  std::size_t dash = channels.find('-', 1);
  double first = 0;
  double last = 0;
  bool parsed = dash == std::string::npos
                    ? ParseNumber(channels, first) && ParseNumber(channels, last)
                    : ParseNumber(Trimmed(channels.substr(0, dash)), first) &&
                          ParseNumber(Trimmed(channels.substr(dash + 1)), last);
  if (!parsed || first != std::floor(first) || last != std::floor(last) || first < -1e6 ||
      last > 1e6) {
    return false;
  }
  choice.First = static_cast<int32_t>(first);
  choice.Last = static_cast<int32_t>(last);
  choice.Range = Trimmed(text.substr(equals + 1));
  return true;
}

std::string JoinLabels(const std::vector<std::string>& labels) {
  std::string joined;
  for (const std::string& label : labels) {
    std::size_t start = label.find_first_not_of(' ');
    joined += (joined.empty() ? "" : ", ") + label.substr(start == std::string::npos ? 0 : start);
  }
  return joined;
}
