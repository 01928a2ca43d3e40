#include "jpegtran_runner.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

#include "test_files.h"

namespace {

#if defined(_WIN32)
// This file's folder is tests/imagelib of the source tree, and the cross-built tools live in the
// tree's .deps folder, built for the same word size as this test.
std::string ToolPath() {
  std::string top = __FILE__;
  for (int up = 0; up < 3; ++up) top = top.substr(0, top.find_last_of("/\\"));
  const char* tree = sizeof(void*) == 8 ? "/.deps/win64" : "/.deps/win32";
  return SystemPath(top + tree + "/bin/jpegtran.exe");
}

bool Run(const std::vector<std::string>& arguments, std::string* why) {
  const std::string tool = ToolPath();
  if (GetFileAttributesA(tool.c_str()) == INVALID_FILE_ATTRIBUTES) {
    *why = "no " + tool + " (tools/build-deps.sh builds it)";
    return false;
  }
  std::string line = "\"" + tool + "\"";
  for (const std::string& a : arguments) line += " \"" + a + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // Under a heavy load Wine once refused to start the tool that had started for the cases before.
  bool started = false;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt) Sleep(500);
    started = CreateProcessA(tool.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  }
  if (!started) {
    *why = "cannot start " + tool + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
  DWORD code = 1;
  if (ended) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!ended)
    *why = "jpegtran.exe did not end within 60 s";
  else if (code != 0)
    *why = "jpegtran.exe failed";
  return ended && code == 0;
}
#else
bool Run(const std::vector<std::string>& arguments, std::string* why) {
  std::vector<std::string> all = {"jpegtran"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  pid_t child;
  if (posix_spawnp(&child, "jpegtran", nullptr, nullptr, argv.data(), environ) != 0) {
    *why = "jpegtran is not installed (libjpeg-turbo-progs)";
    return false;
  }
  int status = 0;
  waitpid(child, &status, 0);
  const bool ran = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!ran) *why = "jpegtran failed or is not installed (libjpeg-turbo-progs)";
  return ran;
}
#endif

}  // namespace

bool RunJpegtran(const std::vector<std::string>& options, const std::string& input, const std::string& output,
                 std::string* why) {
  std::vector<std::string> arguments = options;
  arguments.insert(arguments.end(), {"-outfile", output, input});
  return Run(arguments, why);
}

std::vector<std::string> JpegtranOptions(int transform) {
  static const std::vector<std::string> kOptions[] = {
      {}, {"-flip", "horizontal"}, {"-flip", "vertical"}, {"-transpose"}, {"-transverse"},
      {"-rotate", "90"}, {"-rotate", "180"}, {"-rotate", "270"}};
  std::vector<std::string> options = kOptions[transform];
  options.push_back("-trim");
  return options;
}
