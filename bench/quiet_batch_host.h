#pragma once
// The batch benches' host: it answers Yes to All, never stops a run and shows nothing, so that a
// run overwrites what an earlier one left; a question to go on after a failure ends the run.
#include <cstdio>
#include <string>

#include "batch_run.h"

class QuietHost : public BatchHost {
 public:
  bool AbortRequested() override { return false; }
  void ShowProgress(const std::string&) override {}
  Answer AskOverwrite(const std::string&) override { return Answer::kYesToAll; }
  bool AskContinue(const std::string& message) override {
    std::fprintf(stderr, "%s\n", message.c_str());
    return false;
  }
};
