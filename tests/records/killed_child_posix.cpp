// The child process natively: fork and exec of this program; the seam is reported on a pipe and
// the child is killed with SIGKILL. (The Windows tree compiles every helper of the folder, and has
// its own in killed_child_win.cpp.)
#if !defined(_WIN32)
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "killed_child.h"

namespace {

// The descriptor on which the child reports its seam.
constexpr char kSeamVariable[] = "VIRELDAN_CHILD_SEAM";

std::string ProgramPath() {
  char path[PATH_MAX] = {};
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, size_t(length)) : std::string();
}

}  // namespace

ChildEnd RunChildUntilSeam(const std::string& testCase, const std::string& job,
                           const std::function<bool()>& killWhen) {
  ChildEnd end;
  const std::string program = ProgramPath();
  const std::string filter = "--gtest_filter=" + testCase;
  int seam[2];
  if (program.empty() || ::pipe(seam) != 0) return end;
  ::setenv(kChildJobVariable, job.c_str(), 1);
  ::setenv(kSeamVariable, std::to_string(seam[1]).c_str(), 1);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(seam[0]);
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0) ::dup2(quiet, STDOUT_FILENO);
    ::execl(program.c_str(), program.c_str(), filter.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::unsetenv(kChildJobVariable);
  ::unsetenv(kSeamVariable);
  ::close(seam[1]);
  if (child > 0) {
    pollfd reported = {seam[0], POLLIN, 0};
    int ready;
    do ready = ::poll(&reported, 1, killWhen ? 1 : -1);
    while ((ready < 0 && errno == EINTR) || (ready == 0 && !killWhen()));
    char reached = 0;
    ssize_t read = 0;
    if (ready > 0) {
      do read = ::read(seam[0], &reached, 1);
      while (read < 0 && errno == EINTR);
    }
    // The seam was reported, or the moment asked for came; a child that ended closed the pipe.
    if (read == 1 || ready == 0) end.killed = ::kill(child, SIGKILL) == 0;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!end.killed && WIFEXITED(status)) end.exitCode = WEXITSTATUS(status);
  }
  ::close(seam[0]);
  return end;
}

void StopAtSeam() {
  if (const char* seam = std::getenv(kSeamVariable)) {
    const char reached = 1;
    while (::write(std::atoi(seam), &reached, 1) < 0 && errno == EINTR) {
    }
  }
  for (;;) ::pause();
}
#endif
