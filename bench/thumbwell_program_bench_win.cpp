// Thumbwell.exe's build of a folder tree as the user runs it: the program started, the folder
// picked in its tree, "Build cache" pressed, its closing report waited for, Exit pressed.
//   thumbwell_program_bench FOLDER        (a Windows path, or a Unix one reached through Z:)
#include <cstdio>
#include <string>

#include "running_thumbwell.h"

namespace {

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path.rfind('\\', 0) == 0 ? "Z:" + path : path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: thumbwell_program_bench FOLDER\n");
    return 2;
  }
  RunningThumbwell thumbwell;
  if (!thumbwell.Dialog()) {
    std::fprintf(stderr, "Thumbwell.exe did not come up\n");
    return 1;
  }
  const std::string folder = WindowsPath(argv[1]);
  if (!thumbwell.Select(folder)) {
    std::fprintf(stderr, "Thumbwell's tree has no %s\n", folder.c_str());
    thumbwell.Exit();
    return 1;
  }
  thumbwell.PressBuild();
  const std::string report = thumbwell.WaitForReport(3600000);
  std::printf("%s\n", report.c_str());
  thumbwell.Exit();
  return report.rfind("Done.", 0) == 0 && thumbwell.Ended(30000) ? 0 : 1;
}
