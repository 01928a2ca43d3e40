#include "running_thumbwell.h"

#include "thumbwell_dlg.h"
#include "thumbwell_resource.h"

namespace {

std::string ModuleFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchBuilder(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  char caption[64] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  if (process != search->process || std::string(caption) != "Vireldan Cache Builder" || !::IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

bool IsReport(const std::string& text) { return text.rfind("Done.", 0) == 0 || text.rfind("Stopped.", 0) == 0; }

}  // namespace

RunningThumbwell::RunningThumbwell() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = "\"" + ModuleFolder() + "Thumbwell.exe\"";
  if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
    return;
  const DWORD start = ::GetTickCount();
  Search search = {process_.dwProcessId, nullptr};
  while (!search.found && ::GetTickCount() - start < 30000) {
    ::EnumWindows(MatchBuilder, LPARAM(&search));
    if (!search.found) ::Sleep(50);
  }
  dialog_ = search.found;
}

RunningThumbwell::~RunningThumbwell() {
  if (!process_.hProcess) return;
  if (::WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) ::TerminateProcess(process_.hProcess, 1);
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

bool RunningThumbwell::Select(const std::string& folder) const {
  COPYDATASTRUCT data = {kSelectFolderCopyData, DWORD(folder.size()), const_cast<char*>(folder.data())};
  return ::SendMessageA(dialog_, WM_COPYDATA, 0, LPARAM(&data)) != 0;
}

void RunningThumbwell::PressBuild() const {
  ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_BUILD_CACHE, BN_CLICKED), 0);
}

std::string RunningThumbwell::WaitForReport(DWORD milliseconds) const {
  const DWORD start = ::GetTickCount();
  for (;;) {
    const std::string text = ItemText(IDC_BUILD_PATH);
    if (IsReport(text)) return text;
    if (::GetTickCount() - start > milliseconds || !::IsWindow(dialog_)) return "";
    ::Sleep(20);
  }
}

std::string RunningThumbwell::ItemText(int id) const {
  char text[512] = {};
  ::SendMessageA(::GetDlgItem(dialog_, id), WM_GETTEXT, sizeof text, LPARAM(text));
  return text;
}

void RunningThumbwell::Exit() const { ::PostMessageA(dialog_, WM_COMMAND, IDOK, 0); }

bool RunningThumbwell::Ended(DWORD milliseconds) const {
  return ::WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}
