#pragma once
// What the batch benches share: the work list of a folder's JPEGs, and a host that answers Yes to
// All, never stops a run and shows nothing, so that a run overwrites what an earlier one left; a
// question to go on after a failure ends the run.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "batch_run.h"
#include "batch_work_list.h"

// Every .jpg of the folder, in name order.
inline BatchWorkList JpegsIn(const char* folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".jpg") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return BatchWorkList(files);
}

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
