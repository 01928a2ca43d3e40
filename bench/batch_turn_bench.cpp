// The thumbnail view's lossless turn as its worker makes it: every .jpg of a folder turned
// clockwise in place, one after the other (the transform job's own loop, Yes to All).
// Usage: batch_turn_bench FOLDER
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Cimage.h"
#include "batch_run.h"
#include "quiet_batch_host.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  Cimage::S_Initialize();
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
    if (entry.path().extension() == ".jpg") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  constexpr int kClockwise = 1;
  QuietHost host;
  RunTransform(BatchWorkList(files), kClockwise, host);
  return 0;
}
