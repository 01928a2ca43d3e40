// One Quick Web run as the program makes it: every .jpg of a folder as a page image fitted inside
// 800 x 800 and a thumbnail inside 150 x 150, both JPEG quality 75, with the index page, on one
// thread (the worker's own loop).
// Usage: quick_web_bench INPUT_FOLDER OUTPUT_FOLDER
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Cimage.h"
#include "app_settings.h"
#include "ini_profile.h"
#include "quick_web_run.h"

namespace {

class QuietHost : public QuickWebHost {
 public:
  bool CancelRequested() override { return false; }
  void Progress(int, int, const std::string&) override {}
  void Tell(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
  std::string NowText() override { return "1/1/2005 0:00"; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s INPUT_FOLDER OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  Cimage::S_Initialize();
  IniProfile fresh((std::filesystem::path(argv[2]) / "no-such-settings.ini").string());
  CAppSettings settings;
  settings.Load(fresh, SettingsEnvironment{1024, 768, "."});
  QuickWebJob job;
  job.options = settings.quickWeb;
  job.options.savepath = argv[2];
  job.options.wid = job.options.hgt = 800;
  job.options.thumbwid = job.options.thumbhgt = 150;
  job.options.imagequality = job.options.thumbquality = 75;
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
    if (entry.path().extension() == ".jpg") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  const std::string folder = std::string(argv[1]) + std::string(1, std::filesystem::path::preferred_separator);
  for (const std::string& name : names) job.sources.push_back({folder, name, ""});
  QuietHost host;
  return RunQuickWeb(job, host) == QuickWebOutcome::kWritten ? 0 : 1;
}
