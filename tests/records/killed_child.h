#pragma once
// A second process of a test program, ended at a chosen moment the way a crash ends a program:
// killed from outside, with nothing flushed or closed by itself. The parent names one of the
// program's own test cases for the child to run, and a job for it; the child reports a seam and
// waits there until the parent has killed it.
#include <cstdlib>
#include <functional>
#include <string>

constexpr char kChildJobVariable[] = "VIRELDAN_CHILD_JOB";

struct ChildEnd {
  bool killed = false;  // it reached a seam and was killed there
  int exitCode = -1;    // otherwise, how it ended (-1: it did not start, or was ended otherwise)
};

// Runs this program again with only testCase ("Suite.Name") and job in its environment, and
// waits until it reaches a seam, or until killWhen (when given, asked again and again while the
// child runs) holds, where it is killed at once; or until it ends by itself.
ChildEnd RunChildUntilSeam(const std::string& testCase, const std::string& job,
                           const std::function<bool()>& killWhen = nullptr);

// In the child: tells the parent that the seam is reached, and never returns.
[[noreturn]] void StopAtSeam();

// The job of this process when it runs as such a child; empty otherwise.
inline std::string ChildJob() {
  const char* job = std::getenv(kChildJobVariable);
  return job ? job : "";
}
