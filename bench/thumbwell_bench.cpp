// Thumbwell's build over a folder tree, as the dialog runs it: every folder's cache written anew.
//   thumbwell_bench FOLDER
#include <cstdio>

#include "cache_builder.h"

namespace {

class Quiet : public CacheBuildObserver {
 public:
  void FolderStarted(const std::string&) override {}
  void FileStarted(const std::string&) override {}
  void ThumbnailMade(Cimage&) override {}
  bool KeepGoing() override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: thumbwell_bench FOLDER\n");
    return 2;
  }
  TncOptions options;
  options.hideFile = false;
  Quiet quiet;
  const CacheBuildReport report =
      BuildCaches(argv[1], options, [](const std::string&) { return platform::DriveInfo{}; }, quiet);
  std::printf("%s\n", CacheBuildSummary(report).c_str());
  return report.failedFolders == 0 ? 0 : 1;
}
