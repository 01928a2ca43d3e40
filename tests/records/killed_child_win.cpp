// The child process on Windows: CreateProcess of this program; the seam is reported through a
// named event and the child is ended with TerminateProcess.
#include <windows.h>

#include <vector>

#include "killed_child.h"

namespace {

// The name of the event the child sets at its seam.
constexpr char kSeamVariable[] = "VIRELDAN_CHILD_SEAM";
constexpr UINT kKilled = 99;

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

// The child's own output would only crowd the test's.
HANDLE NullOutput() {
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  return ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ChildEnd RunChildUntilSeam(const std::string& testCase, const std::string& job,
                           const std::function<bool()>& killWhen) {
  ChildEnd end;
  const std::string program = ProgramPath();
  const std::string seamName = "vireldan-child-seam-" + std::to_string(::GetCurrentProcessId());
  const HANDLE seam = ::CreateEventA(nullptr, TRUE, FALSE, seamName.c_str());
  if (program.empty() || !seam) {
    if (seam) ::CloseHandle(seam);
    return end;
  }
  const std::string command = "\"" + program + "\" --gtest_filter=" + testCase;
  std::vector<char> commandLine(command.begin(), command.end());
  commandLine.push_back('\0');
  const HANDLE quiet = NullOutput();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = quiet;
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  ::SetEnvironmentVariableA(kChildJobVariable, job.c_str());
  ::SetEnvironmentVariableA(kSeamVariable, seamName.c_str());
  const bool started = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process) != 0;
  ::SetEnvironmentVariableA(kChildJobVariable, nullptr);
  ::SetEnvironmentVariableA(kSeamVariable, nullptr);
  if (quiet != INVALID_HANDLE_VALUE) ::CloseHandle(quiet);
  if (started) {
    const HANDLE waits[2] = {seam, process.hProcess};
    DWORD woken;
    do woken = ::WaitForMultipleObjects(2, waits, FALSE, killWhen ? 1 : INFINITE);
    while (woken == WAIT_TIMEOUT && !killWhen());
    if (woken == WAIT_OBJECT_0 || woken == WAIT_TIMEOUT)
      end.killed = ::TerminateProcess(process.hProcess, kKilled) != 0;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (!end.killed && ::GetExitCodeProcess(process.hProcess, &code)) end.exitCode = int(code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::CloseHandle(seam);
  return end;
}

void StopAtSeam() {
  if (const char* name = std::getenv(kSeamVariable)) {
    if (const HANDLE seam = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, name)) ::SetEvent(seam);
  }
  for (;;) ::Sleep(INFINITE);
}
