// A writer owner that notes every notice and message, and answers questions itself.
#pragma once

#include <string>
#include <vector>

#include "datafile/DataFileWriter.h"

struct ShownMessage {
  std::string Caption;
  uint32_t Style;
  std::string Text;
};

class WriterOwnerLog : public WriterOwner {
 public:
  void WriterProgress(uint32_t total, uint32_t done) override {
    Events.push_back("progress " + std::to_string(total) + " " + std::to_string(done));
  }
  void WriterStopped() override { Events.push_back("stopped"); }
  int ShowMessage(const char* caption, uint32_t style, const char* text) override {
    Events.push_back("message");
    Messages.push_back({caption, style, text});
    return Answer;
  }

  int Count(const std::string& prefix) const {
    int count = 0;
    for (const std::string& event : Events) {
      count += event.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    }
    return count;
  }

  std::vector<std::string> Events;
  std::vector<ShownMessage> Messages;
  int Answer = 7;  // No
};
