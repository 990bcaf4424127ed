// A writer owner that notes every notice, question and failure, and answers the
// question itself.
#pragma once

#include <string>
#include <vector>

#include "datafile/DataFileWriter.h"

class WriterOwnerLog : public WriterOwner {
 public:
  void WriterProgress(uint32_t total, uint32_t done) override {
    Events.push_back("progress " + std::to_string(total) + " " + std::to_string(done));
  }
  void WriterStopped() override { Events.push_back("stopped"); }
  bool ConfirmReplace(const char* question) override {
    Texts.push_back(question);
    return Replace;
  }
  void WriterFailed(WriterFailure kind, const char* text) override {
    Events.push_back("failed");
    Failures.push_back(kind);
    Texts.push_back(text);
  }

  std::vector<std::string> Events;
  std::vector<WriterFailure> Failures;
  std::vector<std::string> Texts;  // questions and failure texts, in order
  bool Replace = false;
};
